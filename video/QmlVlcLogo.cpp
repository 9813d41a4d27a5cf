#include "QmlVlcLogo.h"

#include "QmlVlcPosition.h"

int QmlVlcLogo::getInt(libvlc_video_logo_option_t option) const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? libvlc_video_get_logo_int(mp, option) : 0;
}

void QmlVlcLogo::setInt(libvlc_video_logo_option_t option, int value)
{
    m_player.post([option, value](libvlc_media_player_t* mp) { libvlc_video_set_logo_int(mp, option, value); });
}

void QmlVlcLogo::file(const QString& path)
{
    m_player.post([file = path.toUtf8()](libvlc_media_player_t* mp) { libvlc_video_set_logo_string(mp, libvlc_logo_file, file.constData()); });
}

QString QmlVlcLogo::position() const
{
    return QmlVlcPosition::name(getInt(libvlc_logo_position));
}

void QmlVlcLogo::setPosition(const QString& position)
{
    setInt(libvlc_logo_position, QmlVlcPosition::value(position));
}
