#include "QmlVlcDeinterlace.h"

void QmlVlcDeinterlace::enable(const QString& mode)
{
    if (m_player.get_mp())
        libvlc_video_set_deinterlace(m_player.get_mp(), mode.toLatin1().constData());
}

void QmlVlcDeinterlace::disable()
{
    if (m_player.get_mp())
        libvlc_video_set_deinterlace(m_player.get_mp(), "");
}
