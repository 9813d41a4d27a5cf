#include "QmlVlcVideoOutput.h"

#include <atomic>
#include <cmath>

#include <QQuickWindow>

#include "QmlVlcFrameScheduler.h"
#include "QmlVlcVideoSurface.h"

namespace {
constexpr qint64 rateWindowMs = 1000;

quint64 nextOutputId()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

// The surface is in a window.
bool isSeen(const QmlVlcVideoSurface* surface)
{
    const QQuickWindow* window = surface->window();
    if (!window->isVisible() || window->visibility() == QWindow::Minimized || !surface->isVisible())
        return false;
    const QRectF inScene = surface->mapRectToScene(QRectF(0, 0, surface->width(), surface->height()));
    return inScene.intersects(QRectF(0, 0, window->width(), window->height()));
}
} // namespace

QmlVlcVideoOutput::QmlVlcVideoOutput(std::shared_ptr<vlc::playlist_player_core> player,
                                     std::shared_ptr<QmlVlcFrameSink> sink, QObject* parent)
    : QObject(parent)
    , m_player(std::move(player))
    , m_sink(sink ? std::move(sink) : std::make_shared<QmlVlcFrameSink>())
    , m_id(nextOutputId())
{
    QmlVlcFrameScheduler::instance().addOutput(this);
}

QmlVlcVideoOutput::~QmlVlcVideoOutput()
{
    QmlVlcFrameScheduler::instance().removeOutput(this);
    // A running video output keeps calling the sink until the player stops,
    // which on a dead stream takes seconds: the player's worker stops it and
    // holds the sink until then.
    libvlc_media_player_t* attached = m_sink->take_player();
    if (!attached)
        return;
    m_player->post_command([attached, sink = m_sink] {
        libvlc_media_player_stop(attached);
        libvlc_media_player_release(attached);
    });
}

bool QmlVlcVideoOutput::attachToPlayer()
{
    return m_player && m_sink->open(*m_player);
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

void QmlVlcVideoOutput::sampleFrameRate()
{
    const qint64 now = QmlVlcFrameSink::monotonicMs();
    const unsigned frames = m_sink->displayedFrames();
    if (m_sampledAtMs == 0) {
        m_sampledAtMs = now;
        m_sampledFrames = frames;
        return;
    }
    const qint64 elapsed = now - m_sampledAtMs;
    if (elapsed < rateWindowMs)
        return;
    const double rate = std::round(10.0 * (frames - m_sampledFrames) * 1000.0 / elapsed) / 10.0;
    m_sampledAtMs = now;
    m_sampledFrames = frames;
    if (rate != m_frameRate) {
        m_frameRate = rate;
        emit frameRateChanged();
    }
}

bool QmlVlcVideoOutput::deliverNewFrame()
{
    std::shared_ptr<const QmlVlcI420Frame> frame;
    if (!m_sink->takeNewFrame(&frame))
        return false;
    present(frame);
    emit frameDelivered();
    return true;
}

void QmlVlcVideoOutput::blank()
{
    m_sink->dropRenderFrame();
    present(nullptr);
}

void QmlVlcVideoOutput::present(const std::shared_ptr<const QmlVlcI420Frame>& frame)
{
    const QSize size = frame ? QSize(frame->visibleWidth, frame->visibleHeight) : QSize();
    if (frame && size != m_frameSize) {
        m_frameSize = size;
        emit frameSizeChanged();
    }
    for (QmlVlcVideoSurface* surface : qAsConst(m_attachedSurfaces))
        surface->presentFrame(frame);
}

bool QmlVlcVideoOutput::allSurfacesHidden() const
{
    if (m_attachedSurfaces.isEmpty())
        return false;
    for (const QmlVlcVideoSurface* surface : m_attachedSurfaces) {
        // A surface in no window is not shown anywhere yet; not a reason to stop.
        if (!surface->window() || isSeen(surface))
            return false;
    }
    return true;
}
