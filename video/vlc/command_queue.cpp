#include "command_queue.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vlc {

namespace {
// Queue threads may still be finishing a release after main returns, so
// what they touch last is never destroyed.
struct thread_census
{
    std::mutex mutex;
    std::condition_variable done;
    int running = 0;
    std::atomic<int> lingering{0};
};

thread_census& census()
{
    static thread_census* const instance = new thread_census;
    return *instance;
}
} // namespace

struct command_queue::state
{
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> commands;
    std::atomic<int> pending{0};
    bool started = false;
    bool quit = false;

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return quit || !commands.empty(); });
            if (commands.empty())
                break;
            std::function<void()> command = std::move(commands.front());
            commands.pop_front();
            lock.unlock();
            command();
            command = nullptr;
            --pending;
            lock.lock();
        }
    }
};

command_queue::command_queue()
    : m_state(std::make_shared<state>())
{
}

command_queue::~command_queue()
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (m_state->started)
            ++census().lingering;
        m_state->quit = true;
    }
    m_state->wake.notify_one();
}

void command_queue::post(std::function<void()> command)
{
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        ++m_state->pending;
        m_state->commands.push_back(std::move(command));
        start = !m_state->started;
        m_state->started = true;
    }
    if (!start) {
        m_state->wake.notify_one();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(census().mutex);
        ++census().running;
    }
    // The thread holds the state, so it outlives the queue object.
    std::thread([s = m_state] {
        s->run();
        thread_census& threads = census();
        --threads.lingering;
        std::lock_guard<std::mutex> lock(threads.mutex);
        --threads.running;
        threads.done.notify_all();
    }).detach();
}

bool command_queue::busy() const
{
    return m_state->pending.load() > 0;
}

int command_queue::lingering()
{
    return census().lingering.load();
}

bool command_queue::wait_for_all(std::chrono::milliseconds timeout)
{
    thread_census& threads = census();
    std::unique_lock<std::mutex> lock(threads.mutex);
    return threads.done.wait_for(lock, timeout, [&threads] { return threads.running == 0; });
}

} // namespace vlc
