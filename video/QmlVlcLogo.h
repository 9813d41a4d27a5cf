#pragma once

#include <QObject>

#include "vlc/playlist_player_core.h"

class QmlVlcLogo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString position READ position WRITE setPosition)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity)
    Q_PROPERTY(int delay READ delay WRITE setDelay)
    Q_PROPERTY(int repeat READ repeat WRITE setRepeat)
    Q_PROPERTY(int x READ x WRITE setX)
    Q_PROPERTY(int y READ y WRITE setY)

public:
    explicit QmlVlcLogo(vlc::playlist_player_core& player) : m_player(player) {}

    Q_INVOKABLE void enable() { setInt(libvlc_logo_enable, 1); }
    Q_INVOKABLE void disable() { setInt(libvlc_logo_enable, 0); }
    Q_INVOKABLE void file(const QString& path);

    QString position() const;
    void setPosition(const QString& position);
    int opacity() const { return getInt(libvlc_logo_opacity); }
    void setOpacity(int value) { setInt(libvlc_logo_opacity, value); }
    int delay() const { return getInt(libvlc_logo_delay); }
    void setDelay(int value) { setInt(libvlc_logo_delay, value); }
    int repeat() const { return getInt(libvlc_logo_repeat); }
    void setRepeat(int value) { setInt(libvlc_logo_repeat, value); }
    int x() const { return getInt(libvlc_logo_x); }
    void setX(int value) { setInt(libvlc_logo_x, value); }
    int y() const { return getInt(libvlc_logo_y); }
    void setY(int value) { setInt(libvlc_logo_y, value); }

private:
    int getInt(libvlc_video_logo_option_t option) const;
    void setInt(libvlc_video_logo_option_t option, int value);

    vlc::playlist_player_core& m_player;
};
