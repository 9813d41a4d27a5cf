#include "QmlVlcLogo.h"

#include "QmlVlcPosition.h"

int QmlVlcLogo::getInt(libvlc_video_logo_option_t option) const
{
    return m_player.get_mp() ? libvlc_video_get_logo_int(m_player.get_mp(), option) : 0;
}

void QmlVlcLogo::setInt(libvlc_video_logo_option_t option, int value)
{
    if (m_player.get_mp())
        libvlc_video_set_logo_int(m_player.get_mp(), option, value);
}

void QmlVlcLogo::file(const QString& path)
{
    if (m_player.get_mp())
        libvlc_video_set_logo_string(m_player.get_mp(), libvlc_logo_file, path.toUtf8().constData());
}

QString QmlVlcLogo::position() const
{
    return QmlVlcPosition::name(getInt(libvlc_logo_position));
}

void QmlVlcLogo::setPosition(const QString& position)
{
    setInt(libvlc_logo_position, QmlVlcPosition::value(position));
}
