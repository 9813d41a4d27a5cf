#include "QmlVlcMarquee.h"

#include "QmlVlcPosition.h"

int QmlVlcMarquee::getInt(libvlc_video_marquee_option_t option) const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? libvlc_video_get_marquee_int(mp, option) : 0;
}

void QmlVlcMarquee::setInt(libvlc_video_marquee_option_t option, int value)
{
    m_player.post([option, value](libvlc_media_player_t* mp) { libvlc_video_set_marquee_int(mp, option, value); });
}

QString QmlVlcMarquee::text() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    if (!mp)
        return {};
    char* text = libvlc_video_get_marquee_string(mp, libvlc_marquee_Text);
    const QString result = QString::fromUtf8(text);
    libvlc_free(text);
    return result;
}

void QmlVlcMarquee::setText(const QString& text)
{
    m_player.post([utf8 = text.toUtf8()](libvlc_media_player_t* mp) { libvlc_video_set_marquee_string(mp, libvlc_marquee_Text, utf8.constData()); });
}

QString QmlVlcMarquee::position() const
{
    return QmlVlcPosition::name(getInt(libvlc_marquee_Position));
}

void QmlVlcMarquee::setPosition(const QString& position)
{
    setInt(libvlc_marquee_Position, QmlVlcPosition::value(position));
}
