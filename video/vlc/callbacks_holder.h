#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <mutex>

// Listener list shared by libvlc's event threads and the owner's thread.
// Does not own the listeners.
template <typename C>
class callbacks_holder
{
public:
    virtual ~callbacks_holder() = default;

    virtual void register_callback(C* callback)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_callbacks.push_back(callback);
    }

    virtual void unregister_callback(C* callback)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = std::find(m_callbacks.begin(), m_callbacks.end(), callback);
        if (it != m_callbacks.end())
            m_callbacks.erase(it);
    }

    // The lock is not recursive: a listener must not (un)register from here.
    void for_each_callback(const std::function<void(C*)>& fn)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (C* callback : m_callbacks)
            fn(callback);
    }

protected:
    bool has_callbacks()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return !m_callbacks.empty();
    }

    void forget_callbacks()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_callbacks.clear();
    }

private:
    std::mutex m_mutex;
    std::deque<C*> m_callbacks;
};
