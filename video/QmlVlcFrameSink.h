#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "QmlVlcI420Frame.h"
#include "vlc/basic_vmem_wrapper.h"

// Receives decoded pictures from libvlc into pooled frames. Shared between
// the GUI-side output and the player's worker, so that a player being
// stopped in the background can still call it after its output is gone.
// Nothing on the picture path allocates once the pool has grown.
class QmlVlcFrameSink : public vlc::basic_vmem_wrapper
{
public:
    QmlVlcFrameSink() = default;

    // The newest displayed frame when one came since the last call.
    bool takeNewFrame(std::shared_ptr<const QmlVlcI420Frame>* frame);
    bool hasNewFrame();
    // Lets the last picture go back to the pool (the player stopped).
    void dropRenderFrame();
    // While held, pictures from libvlc are not shown (an input being stopped,
    // until it is gone); the last one stays. Holds nest: each hold is released once.
    void holdPictures(bool hold) { m_holds += hold ? 1 : -1; }

    // Statistics, readable from any thread.
    unsigned displayedFrames() const { return m_displayedFrames.load(); }
    unsigned largestPoolSize() const { return m_largestPoolSize.load(); }
    // Monotonic milliseconds of the last displayed frame, 0 before the first.
    int64_t lastDisplayMs() const { return m_lastDisplayMs.load(); }

    static int64_t monotonicMs();

protected:
    unsigned video_format_cb(char* chroma, unsigned* width, unsigned* height,
                             unsigned* pitches, unsigned* lines) override;
    void video_cleanup_cb() override;
    void* video_lock_cb(void** planes) override;
    void video_unlock_cb(void* picture, void* const* planes) override;
    void video_display_cb(void* picture) override;

private:
    std::shared_ptr<QmlVlcI420Frame> makeFrameLike(const QmlVlcI420Frame& model) const;
    void repeatEdges(QmlVlcI420Frame& frame) const;
    void notePoolSize();
    // Called with m_renderFrameMutex held.
    bool isRepeat(const QmlVlcI420Frame& frame) const;

    // libvlc may lock pictures on the decoder thread and display them on
    // the output thread, so the pool and the locked list share a lock.
    std::mutex m_poolMutex;
    std::vector<std::shared_ptr<QmlVlcI420Frame>> m_framesPool;
    std::vector<std::shared_ptr<QmlVlcI420Frame>> m_lockedFrames;
    unsigned m_visibleWidth = 0;
    unsigned m_visibleHeight = 0;

    std::mutex m_renderFrameMutex;
    std::shared_ptr<QmlVlcI420Frame> m_renderFrame;
    bool m_renderFrameNew = false;
    uint64_t m_serial = 0;

    std::atomic<int> m_holds{0};
    std::atomic<unsigned> m_displayedFrames{0};
    std::atomic<unsigned> m_largestPoolSize{0};
    std::atomic<int64_t> m_lastDisplayMs{0};
};
