#pragma once

#include <mutex>

// One value that several threads read and write, each access under the value's own mutex.
template <class T>
class GuardedValue
{
public:
    explicit GuardedValue(T initial = T()) : m_value(std::move(initial)) {}

    T get() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_value;
    }

    void set(T value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_value = std::move(value);
    }

private:
    mutable std::mutex m_mutex;
    T m_value;
};
