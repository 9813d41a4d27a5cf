#pragma once

#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"

#include <QString>
#include <QTimer>

// Plays an SDP file the way a tile does: opened by a player as
// "file:///" + path, drawn on a video surface.
class SdpViewer
{
public:
    SdpViewer();
    ~SdpViewer();

    // Opens an SDP file written by someone else; false when it holds no stream.
    bool playFile(const QString &path);
    // Pictures with a content unlike the one before: the player shows the
    // last picture again while nothing arrives, which is no new frame.
    unsigned frames() const { return m_pictures; }

    static void configure();

private:
    QmlVlcPlayer m_player;
    QmlVlcVideoSurface m_surface;
    QTimer m_sampler;
    uint m_lastHash = 0;
    unsigned m_pictures = 0;
};
