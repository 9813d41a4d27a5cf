#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace vlc {

// Runs the libvlc calls that can block for seconds (stop, set_media, play,
// release) on a thread of its own, one after the other in the order posted.
// Destroying the queue returns at once: its thread finishes what is queued
// and ends by itself.
class command_queue
{
public:
    command_queue();
    ~command_queue();
    command_queue(const command_queue&) = delete;
    command_queue& operator=(const command_queue&) = delete;

    void post(std::function<void()> command);
    // True while a command is queued or running.
    bool busy() const;

    // Threads of destroyed queues still finishing their commands, process-wide.
    static int lingering();
    // Waits until no queue thread is left or the timeout passes; true when none is left.
    static bool wait_for_all(std::chrono::milliseconds timeout);

private:
    struct state;
    std::shared_ptr<state> m_state;
};

} // namespace vlc
