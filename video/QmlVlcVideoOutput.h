#pragma once

#include <memory>

#include <QList>
#include <QObject>
#include <QSize>

#include "QmlVlcFrameSink.h"
#include "QmlVlcI420Frame.h"
#include "vlc/playlist_player_core.h"

class QmlVlcVideoSurface;

// GUI-side end of the frame path: takes the newest picture from the sink
// on the scheduler's tick and gives it to the attached surfaces.
class QmlVlcVideoOutput : public QObject
{
    Q_OBJECT

public:
    explicit QmlVlcVideoOutput(std::shared_ptr<vlc::playlist_player_core> player,
                               std::shared_ptr<QmlVlcFrameSink> sink = {}, QObject* parent = nullptr);
    ~QmlVlcVideoOutput() override;

    bool attachToPlayer();
    void registerVideoSurface(QmlVlcVideoSurface* surface);
    void unregisterVideoSurface(QmlVlcVideoSurface* surface);
    const QList<QmlVlcVideoSurface*>& videoSurfaces() const { return m_attachedSurfaces; }

    // Unique for the life of the process, so that textures made for one
    // output are never taken for another one's.
    quint64 id() const { return m_id; }

    // Statistics, readable from any thread.
    unsigned displayedFrames() const { return m_sink->displayedFrames(); }
    // For calls on the player's worker, which may outlive this output.
    const std::shared_ptr<QmlVlcFrameSink>& sink() const { return m_sink; }
    unsigned largestPoolSize() const { return m_sink->largestPoolSize(); }
    // Monotonic milliseconds of the last displayed frame, 0 before the first.
    qint64 lastFrameMs() const { return m_sink->lastDisplayMs(); }

    QSize frameSize() const { return m_frameSize; }
    double frameRate() const { return m_frameRate; }
    // Measures the frame rate over the time since the last sample (at least a second).
    void sampleFrameRate();

    // Scheduler tick: gives a new frame to the surfaces; true when there was one.
    bool deliverNewFrame();
    bool hasNewFrame() const { return m_sink->hasNewFrame(); }
    // Surfaces drop their picture (the player stopped).
    void blank();
    // True when surfaces are attached, all in windows, and none can be seen
    // (hidden, scrolled out, or in a hidden or minimised window).
    bool allSurfacesHidden() const;
    bool hasSurfaces() const { return !m_attachedSurfaces.isEmpty(); }

signals:
    void frameDelivered();
    void frameSizeChanged();
    void frameRateChanged();

private:
    void present(const std::shared_ptr<const QmlVlcI420Frame>& frame);

    std::shared_ptr<vlc::playlist_player_core> m_player;
    std::shared_ptr<QmlVlcFrameSink> m_sink;
    QList<QmlVlcVideoSurface*> m_attachedSurfaces;
    quint64 m_id;
    QSize m_frameSize;
    double m_frameRate = 0;
    unsigned m_sampledFrames = 0;
    qint64 m_sampledAtMs = 0;
};
