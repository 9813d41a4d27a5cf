#pragma once

// Debian's Qt is not built with ThreadSanitizer, so the locks inside
// postEvent and the scene graph's synchronisation (the GUI thread waits while
// the render thread reads the items) are invisible to it; these mark those
// hand-overs explicitly. They cost nothing in other builds.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace QmlVlcTsan {

inline void release(void* addr)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(addr);
#else
    (void)addr;
#endif
}

inline void acquire(void* addr)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(addr);
#else
    (void)addr;
#endif
}

// Marks a scope that Qt runs either on the GUI thread or on the render thread
// while the GUI thread waits.
class Handover
{
public:
    explicit Handover(void* addr) : m_addr(addr) { acquire(m_addr); }
    ~Handover() { release(m_addr); }
    Handover(const Handover&) = delete;
    Handover& operator=(const Handover&) = delete;

private:
    void* m_addr;
};

} // namespace QmlVlcTsan
