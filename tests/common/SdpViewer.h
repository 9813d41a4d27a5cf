#pragma once

#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"

#include <QString>
#include <QTimer>

// Plays an SDP text the way a tile does: written to a file, opened by a
// player as "file:///" + path, drawn on a video surface.
class SdpViewer
{
public:
    SdpViewer();
    ~SdpViewer();

    bool play(const QString &sdp, const QString &path);
    // Opens an SDP file written by someone else; false when it holds no stream.
    bool playFile(const QString &path);
    // Pictures with a content unlike the one before: the player shows the
    // last picture again while nothing arrives, which is no new frame.
    unsigned frames() const { return m_pictures; }
    // Waits until no new picture arrived for quietMs (at most timeoutMs); true if it got quiet.
    bool waitUntilQuiet(int quietMs, int timeoutMs);

    static void configure();

private:
    QmlVlcPlayer m_player;
    QmlVlcVideoSurface m_surface;
    QTimer m_sampler;
    uint m_lastHash = 0;
    unsigned m_pictures = 0;
};
