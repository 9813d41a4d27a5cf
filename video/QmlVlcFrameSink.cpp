#include "QmlVlcFrameSink.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "QmlVlcFrameScheduler.h"
#include "QmlVlcLog.h"

namespace {
constexpr unsigned pictureBuffers = 3;
// Larger pictures come only from broken or hostile media.
constexpr unsigned maxSide = 8192;
// libvlc wants every plane to start on a 32-byte boundary.
constexpr uintptr_t planeAlignment = 32;
// Room reserved so that the usual pool never reallocates its lists.
constexpr size_t reservedFrames = 8;
// From this height up a stream that does not say otherwise is HD, BT.709.
constexpr unsigned hdHeight = 720;

unsigned alignTo4(unsigned value)
{
    return (value + 3u) & ~3u;
}

uint32_t alignPlane(uint32_t size)
{
    return static_cast<uint32_t>((size + planeAlignment - 1) & ~(planeAlignment - 1));
}

// Sizes the buffer for three aligned planes and points the planes into it.
void layOut(QmlVlcI420Frame& frame, uint32_t ySize, uint32_t uSize, uint32_t vSize)
{
    const uint32_t uOffset = alignPlane(ySize);
    const uint32_t vOffset = uOffset + alignPlane(uSize);
    frame.frameBuf.resize(static_cast<int>(vOffset + vSize + planeAlignment - 1));
    char* raw = frame.frameBuf.data();
    char* base = raw + ((planeAlignment - reinterpret_cast<uintptr_t>(raw) % planeAlignment) % planeAlignment);
    frame.yPlane = base;
    frame.yPlaneSize = ySize;
    frame.uPlane = base + uOffset;
    frame.uPlaneSize = uSize;
    frame.vPlane = base + vOffset;
    frame.vPlaneSize = vSize;
}

void* pictureId(size_t index)
{
    return reinterpret_cast<void*>(index);
}

size_t poolIndex(void* picture)
{
    return reinterpret_cast<size_t>(picture);
}
} // namespace

int64_t QmlVlcFrameSink::monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

unsigned QmlVlcFrameSink::video_format_cb(char* chroma, unsigned* width, unsigned* height,
                                          unsigned* pitches, unsigned* lines)
{
    // A full-range stream decodes as J420: keep it (same layout) so the
    // shader knows the range; everything else comes as I420.
    const bool fullRange = std::memcmp(chroma, "J420", 4) == 0;
    std::memcpy(chroma, fullRange ? "J420" : "I420", 4);

    // libvlc proposes the padded decoder size; taking it would make libvlc
    // rescale every picture, so ask for the visible size instead.
    unsigned visibleWidth = 0;
    unsigned visibleHeight = 0;
    if (attached_player() && libvlc_video_get_size(attached_player(), 0, &visibleWidth, &visibleHeight) == 0
        && visibleWidth > 0 && visibleHeight > 0 && visibleWidth <= 0xFFFF && visibleHeight <= 0xFFFF) {
        *width = visibleWidth;
        *height = visibleHeight;
    }

    const uint16_t proposedWidth = static_cast<uint16_t>(*width);
    const uint16_t proposedHeight = static_cast<uint16_t>(*height);
    if (proposedWidth == 0 || proposedHeight == 0 || proposedWidth > maxSide || proposedHeight > maxSide) {
        QmlVlcLog::warn("Refusing video format {}x{}", *width, *height);
        return 0;
    }
    const unsigned w = proposedWidth + (proposedWidth & 1u);
    const unsigned h = proposedHeight + (proposedHeight & 1u);

    pitches[0] = alignTo4(w);
    pitches[1] = pitches[2] = alignTo4(w / 2);
    lines[0] = h;
    lines[1] = lines[2] = h / 2;

    auto frame = std::make_shared<QmlVlcI420Frame>();
    frame->width = static_cast<uint16_t>(w);
    frame->height = static_cast<uint16_t>(h);
    frame->visibleWidth = proposedWidth;
    frame->visibleHeight = proposedHeight;
    frame->bt709 = proposedHeight >= hdHeight;
    frame->fullRange = fullRange;
    layOut(*frame, pitches[0] * lines[0], pitches[1] * lines[1], pitches[2] * lines[2]);

    std::lock_guard<std::mutex> lock(m_poolMutex);
    m_visibleWidth = proposedWidth;
    m_visibleHeight = proposedHeight;
    m_framesPool.reserve(reservedFrames);
    m_lockedFrames.reserve(reservedFrames);
    m_framesPool.push_back(std::move(frame));
    notePoolSize();
    return pictureBuffers;
}

void QmlVlcFrameSink::notePoolSize()
{
    m_largestPoolSize = std::max<unsigned>(m_largestPoolSize.load(), static_cast<unsigned>(m_framesPool.size()));
}

std::shared_ptr<QmlVlcI420Frame> QmlVlcFrameSink::makeFrameLike(const QmlVlcI420Frame& model) const
{
    auto frame = std::make_shared<QmlVlcI420Frame>();
    frame->width = model.width;
    frame->height = model.height;
    frame->visibleWidth = model.visibleWidth;
    frame->visibleHeight = model.visibleHeight;
    frame->bt709 = model.bt709;
    frame->fullRange = model.fullRange;
    layOut(*frame, model.yPlaneSize, model.uPlaneSize, model.vPlaneSize);
    return frame;
}

void* QmlVlcFrameSink::video_lock_cb(void** planes)
{
    std::lock_guard<std::mutex> lock(m_poolMutex);
    if (m_framesPool.empty()) {
        planes[0] = planes[1] = planes[2] = nullptr;
        return nullptr;
    }
    size_t index = 0;
    while (index < m_framesPool.size() && m_framesPool[index].use_count() >= 2)
        ++index;
    if (index == m_framesPool.size()) {
        m_framesPool.push_back(makeFrameLike(*m_framesPool.front()));
        notePoolSize();
    }
    const auto& frame = m_framesPool[index];
    planes[0] = frame->yPlane;
    planes[1] = frame->uPlane;
    planes[2] = frame->vPlane;
    m_lockedFrames.push_back(frame);
    return pictureId(index);
}

// An odd-sized picture leaves the last luma column and row of the even frame
// unwritten; repeating the edge keeps filtering at the border clean.
void QmlVlcFrameSink::repeatEdges(QmlVlcI420Frame& frame) const
{
    const unsigned pitch = frame.yPlaneSize / frame.height;
    if (m_visibleWidth < frame.width && m_visibleWidth > 0) {
        for (unsigned row = 0; row < m_visibleHeight; ++row) {
            char* line = frame.yPlane + row * pitch;
            line[frame.width - 1] = line[m_visibleWidth - 1];
        }
    }
    if (m_visibleHeight < frame.height && m_visibleHeight > 0)
        std::memcpy(frame.yPlane + (frame.height - 1) * pitch, frame.yPlane + (m_visibleHeight - 1) * pitch, pitch);
}

void QmlVlcFrameSink::video_unlock_cb(void* picture, void* const*)
{
    const size_t index = poolIndex(picture);
    std::lock_guard<std::mutex> lock(m_poolMutex);
    if (index >= m_framesPool.size())
        return;
    const auto& frame = m_framesPool[index];
    const auto locked = std::find(m_lockedFrames.begin(), m_lockedFrames.end(), frame);
    if (locked == m_lockedFrames.end())
        return;
    m_lockedFrames.erase(locked);
    repeatEdges(*frame);
}

// While no new picture comes, libvlc shows the last one again every 80 ms or
// so, copied into another buffer: that is no new frame, and counting it would
// hide a stream that stopped.
bool QmlVlcFrameSink::isRepeat(const QmlVlcI420Frame& frame) const
{
    const QmlVlcI420Frame* shown = m_renderFrame.get();
    return shown && shown != &frame && shown->width == frame.width && shown->height == frame.height
        && shown->yPlaneSize == frame.yPlaneSize && shown->uPlaneSize == frame.uPlaneSize
        && std::memcmp(shown->yPlane, frame.yPlane, frame.yPlaneSize) == 0
        && std::memcmp(shown->uPlane, frame.uPlane, frame.uPlaneSize) == 0
        && std::memcmp(shown->vPlane, frame.vPlane, frame.vPlaneSize) == 0;
}

void QmlVlcFrameSink::video_display_cb(void* picture)
{
    if (m_holds > 0)
        return;
    const size_t index = poolIndex(picture);
    std::shared_ptr<QmlVlcI420Frame> frame;
    {
        std::lock_guard<std::mutex> lock(m_poolMutex);
        if (index >= m_framesPool.size())
            return;
        frame = m_framesPool[index];
    }
    {
        std::lock_guard<std::mutex> lock(m_renderFrameMutex);
        if (isRepeat(*frame))
            return;
        frame->serial = ++m_serial;
        // The previous render frame goes back to the pool here unless a
        // surface still holds it: only the newest frame waits for the GUI.
        m_renderFrame = std::move(frame);
        m_renderFrameNew = true;
    }
    m_lastDisplayMs = monotonicMs();
    ++m_displayedFrames;
    QmlVlcFrameScheduler::wake();
}

void QmlVlcFrameSink::video_cleanup_cb()
{
    // The render frame stays: it is the picture shown until the next format
    // brings frames of a new size, or the player stops.
    std::lock_guard<std::mutex> lock(m_poolMutex);
    m_lockedFrames.clear();
    m_framesPool.clear();
}

bool QmlVlcFrameSink::takeNewFrame(std::shared_ptr<const QmlVlcI420Frame>* frame)
{
    std::lock_guard<std::mutex> lock(m_renderFrameMutex);
    if (!m_renderFrameNew)
        return false;
    m_renderFrameNew = false;
    *frame = m_renderFrame;
    return true;
}

void QmlVlcFrameSink::dropRenderFrame()
{
    std::lock_guard<std::mutex> lock(m_renderFrameMutex);
    m_renderFrame.reset();
    m_renderFrameNew = false;
}

bool QmlVlcFrameSink::hasNewFrame()
{
    std::lock_guard<std::mutex> lock(m_renderFrameMutex);
    return m_renderFrameNew;
}
