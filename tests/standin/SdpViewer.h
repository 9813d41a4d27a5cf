#pragma once

#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"

#include <QString>

// Plays an SDP text the way a tile does: written to a file, opened by a
// player as "file:///" + path, drawn on a video surface.
class SdpViewer
{
public:
    SdpViewer();
    ~SdpViewer();

    bool play(const QString &sdp, const QString &path);
    unsigned frames() const { return m_player.videoOutput().displayedFrames(); }
    // Waits until no frame arrived for quietMs (at most timeoutMs); true if it got quiet.
    bool waitUntilQuiet(int quietMs, int timeoutMs);

    static void configure();

private:
    QmlVlcPlayer m_player;
    QmlVlcVideoSurface m_surface;
};
