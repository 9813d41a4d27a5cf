#pragma once

#include <QObject>

#include "vlc/playlist_player_core.h"

class QmlVlcMarquee : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(int color READ color WRITE setColor)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity)
    Q_PROPERTY(QString position READ position WRITE setPosition)
    Q_PROPERTY(int refresh READ refresh WRITE setRefresh)
    Q_PROPERTY(int size READ size WRITE setSize)
    Q_PROPERTY(int timeout READ timeout WRITE setTimeout)
    Q_PROPERTY(int x READ x WRITE setX)
    Q_PROPERTY(int y READ y WRITE setY)

public:
    explicit QmlVlcMarquee(vlc::playlist_player_core& player) : m_player(player) {}

    Q_INVOKABLE void enable() { setInt(libvlc_marquee_Enable, 1); }
    Q_INVOKABLE void disable() { setInt(libvlc_marquee_Enable, 0); }

    QString text() const;
    void setText(const QString& text);
    int color() const { return getInt(libvlc_marquee_Color); }
    void setColor(int value) { setInt(libvlc_marquee_Color, value); }
    int opacity() const { return getInt(libvlc_marquee_Opacity); }
    void setOpacity(int value) { setInt(libvlc_marquee_Opacity, value); }
    QString position() const;
    void setPosition(const QString& position);
    int refresh() const { return getInt(libvlc_marquee_Refresh); }
    void setRefresh(int value) { setInt(libvlc_marquee_Refresh, value); }
    int size() const { return getInt(libvlc_marquee_Size); }
    void setSize(int value) { setInt(libvlc_marquee_Size, value); }
    int timeout() const { return getInt(libvlc_marquee_Timeout); }
    void setTimeout(int value) { setInt(libvlc_marquee_Timeout, value); }
    int x() const { return getInt(libvlc_marquee_X); }
    void setX(int value) { setInt(libvlc_marquee_X, value); }
    int y() const { return getInt(libvlc_marquee_Y); }
    void setY(int value) { setInt(libvlc_marquee_Y, value); }

private:
    int getInt(libvlc_video_marquee_option_t option) const;
    void setInt(libvlc_video_marquee_option_t option, int value);

    vlc::playlist_player_core& m_player;
};
