#include "QmlVlcDeinterlace.h"

void QmlVlcDeinterlace::enable(const QString& mode)
{
    m_player.post([mode = mode.toLatin1()](libvlc_media_player_t* mp) { libvlc_video_set_deinterlace(mp, mode.constData()); });
}

void QmlVlcDeinterlace::disable()
{
    m_player.post([](libvlc_media_player_t* mp) { libvlc_video_set_deinterlace(mp, ""); });
}
