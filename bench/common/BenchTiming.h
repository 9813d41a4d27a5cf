#pragma once

#include <functional>

namespace BenchTiming {

// Runs the event loop for ms milliseconds.
void runFor(int ms);
// Runs the event loop until done() holds; false when timeoutMs passed first.
bool waitUntil(const std::function<bool()> &done, int timeoutMs);
// CPU time this thread has used, in milliseconds.
double threadCpuMs();

// The CPU time f() takes on this thread, in milliseconds: other processes on a busy machine do not count.
template <class F>
double timed(F f)
{
    const double start = threadCpuMs();
    f();
    return threadCpuMs() - start;
}

} // namespace BenchTiming
