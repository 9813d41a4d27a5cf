#include "QmlVlcMarquee.h"

#include "QmlVlcPosition.h"

int QmlVlcMarquee::getInt(libvlc_video_marquee_option_t option) const
{
    return m_player.get_mp() ? libvlc_video_get_marquee_int(m_player.get_mp(), option) : 0;
}

void QmlVlcMarquee::setInt(libvlc_video_marquee_option_t option, int value)
{
    if (m_player.get_mp())
        libvlc_video_set_marquee_int(m_player.get_mp(), option, value);
}

QString QmlVlcMarquee::text() const
{
    if (!m_player.get_mp())
        return {};
    char* text = libvlc_video_get_marquee_string(m_player.get_mp(), libvlc_marquee_Text);
    const QString result = QString::fromUtf8(text);
    libvlc_free(text);
    return result;
}

void QmlVlcMarquee::setText(const QString& text)
{
    if (m_player.get_mp())
        libvlc_video_set_marquee_string(m_player.get_mp(), libvlc_marquee_Text, text.toUtf8().constData());
}

QString QmlVlcMarquee::position() const
{
    return QmlVlcPosition::name(getInt(libvlc_marquee_Position));
}

void QmlVlcMarquee::setPosition(const QString& position)
{
    setInt(libvlc_marquee_Position, QmlVlcPosition::value(position));
}
