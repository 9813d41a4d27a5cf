#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QThread>

// Debian's Qt is not built with ThreadSanitizer, and its mutexes and thread
// joins work on futexes the sanitizer cannot see. Where this code relies on
// such a hand-over (a thread's last writes, read by the owner after wait()),
// it marks it with these. They cost nothing in other builds.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#endif

namespace NtCommon::ThreadHandover {

// Called by the thread handing `addr` over, after its last access.
inline void release(void *addr)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(addr);
#else
    (void)addr;
#endif
}

// Called by the thread taking `addr` over, before its first access.
inline void acquire(void *addr)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(addr);
#else
    (void)addr;
#endif
}

// A scope that Qt runs either on the GUI thread or on the render thread while
// the GUI thread waits (an item's setters and its updatePaintNode).
class Scope
{
public:
    explicit Scope(void *addr) : m_addr(addr) { acquire(m_addr); }
    ~Scope() { release(m_addr); }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    void *m_addr;
};

// Calls queued between threads: a queued argument's copy into the event
// queue releases this (see the metatypes of DTO), and the delivery of any
// queued call acquires it.
inline void *queuedCalls()
{
    static char anchor;
    return &anchor;
}

// Makes every delivery of a queued call acquire queuedCalls(); once per process.
inline void watchQueuedCalls()
{
#if defined(__SANITIZE_THREAD__)
    static const bool registered = QInternal::registerCallback(QInternal::EventNotifyCallback, [](void **data) {
        if (static_cast<QEvent *>(data[1])->type() == QEvent::MetaCall)
            acquire(queuedCalls());
        return false;
    });
    (void)registered;
#endif
}

// QThread::wait; once the thread has finished, the caller takes over what it
// last wrote (released with `release(thread)` at the end of its run).
inline bool wait(QThread *thread, QDeadlineTimer deadline)
{
    const bool finished = thread->QThread::wait(deadline);
    if (finished)
        acquire(thread);
    return finished;
}

} // namespace NtCommon::ThreadHandover
