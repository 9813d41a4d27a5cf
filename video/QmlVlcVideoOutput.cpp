#include "QmlVlcVideoOutput.h"

#include <cstring>

#include "QmlVlcLog.h"
#include "QmlVlcVideoSurface.h"

namespace {
constexpr unsigned pictureBuffers = 3;
// Larger pictures come only from broken or hostile media.
constexpr unsigned maxSide = 8192;

unsigned alignTo4(unsigned value)
{
    return (value + 3u) & ~3u;
}

void setPlanes(QmlVlcI420Frame& frame, uint32_t ySize, uint32_t uSize, uint32_t vSize)
{
    char* base = frame.frameBuf.data();
    frame.yPlane = base;
    frame.yPlaneSize = ySize;
    frame.uPlane = base + ySize;
    frame.uPlaneSize = uSize;
    frame.vPlane = base + ySize + uSize;
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

QmlVlcVideoOutput::QmlVlcVideoOutput(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent)
    : QObject(parent)
    , m_player(std::move(player))
{
}

QmlVlcVideoOutput::~QmlVlcVideoOutput()
{
    // Detach while this object's callbacks are still whole: stopping the
    // player may still call cleanup on us.
    close();
}

bool QmlVlcVideoOutput::attachToPlayer()
{
    return m_player && open(*m_player);
}

void QmlVlcVideoOutput::registerVideoSurface(QmlVlcVideoSurface* surface)
{
    if (!m_attachedSurfaces.contains(surface))
        m_attachedSurfaces.append(surface);
}

void QmlVlcVideoOutput::unregisterVideoSurface(QmlVlcVideoSurface* surface)
{
    m_attachedSurfaces.removeOne(surface);
}

unsigned QmlVlcVideoOutput::video_format_cb(char* chroma, unsigned* width, unsigned* height,
                                            unsigned* pitches, unsigned* lines)
{
    std::memcpy(chroma, "I420", 4);

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
    std::lock_guard<std::mutex> lock(m_poolMutex);
    const uint32_t ySize = pitches[0] * lines[0];
    const uint32_t uSize = pitches[1] * lines[1];
    const uint32_t vSize = pitches[2] * lines[2];
    frame->frameBuf.resize(static_cast<int>(ySize + uSize + vSize));
    frame->width = static_cast<uint16_t>(w);
    frame->height = static_cast<uint16_t>(h);
    setPlanes(*frame, ySize, uSize, vSize);
    m_framesPool.push_back(std::move(frame));
    m_largestPoolSize = std::max<unsigned>(m_largestPoolSize.load(), static_cast<unsigned>(m_framesPool.size()));
    return pictureBuffers;
}

std::shared_ptr<QmlVlcI420Frame> QmlVlcVideoOutput::makeFrameLike(const QmlVlcI420Frame& model) const
{
    auto frame = std::make_shared<QmlVlcI420Frame>();
    frame->frameBuf.resize(model.frameBuf.size());
    frame->width = model.width;
    frame->height = model.height;
    setPlanes(*frame, model.yPlaneSize, model.uPlaneSize, model.vPlaneSize);
    return frame;
}

void* QmlVlcVideoOutput::video_lock_cb(void** planes)
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
        m_largestPoolSize = std::max<unsigned>(m_largestPoolSize.load(), static_cast<unsigned>(m_framesPool.size()));
    }
    const auto& frame = m_framesPool[index];
    planes[0] = frame->yPlane;
    planes[1] = frame->uPlane;
    planes[2] = frame->vPlane;
    m_lockedFrames.push_back(frame);
    return pictureId(index);
}

void QmlVlcVideoOutput::video_unlock_cb(void* picture, void* const*)
{
    const size_t index = poolIndex(picture);
    std::lock_guard<std::mutex> lock(m_poolMutex);
    if (index >= m_framesPool.size())
        return;
    const auto& frame = m_framesPool[index];
    for (auto it = m_lockedFrames.begin(); it != m_lockedFrames.end(); ++it) {
        if (*it == frame) {
            m_lockedFrames.erase(it);
            break;
        }
    }
}

void QmlVlcVideoOutput::video_display_cb(void* picture)
{
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
        m_renderFrame = std::move(frame);
    }
    ++m_displayedFrames;
    QMetaObject::invokeMethod(this, "frameUpdated", Qt::AutoConnection);
}

void QmlVlcVideoOutput::video_cleanup_cb()
{
    {
        std::lock_guard<std::mutex> lock(m_renderFrameMutex);
        m_renderFrame.reset();
    }
    std::lock_guard<std::mutex> lock(m_poolMutex);
    m_lockedFrames.clear();
    m_framesPool.clear();
    QMetaObject::invokeMethod(this, "frameUpdated", Qt::AutoConnection);
}

void QmlVlcVideoOutput::frameUpdated()
{
    std::shared_ptr<const QmlVlcI420Frame> frame;
    {
        std::lock_guard<std::mutex> lock(m_renderFrameMutex);
        frame = m_renderFrame;
    }
    for (QmlVlcVideoSurface* surface : qAsConst(m_attachedSurfaces))
        surface->presentFrame(frame);
}
