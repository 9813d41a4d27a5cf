#pragma once

#include <QObject>

#include "vlc/playlist_player_core.h"

class QmlVlcInput : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double length READ length)
    Q_PROPERTY(double fps READ fps)
    Q_PROPERTY(bool hasVout READ hasVout)
    Q_PROPERTY(unsigned state READ state)
    Q_PROPERTY(double position READ position WRITE setPosition)
    Q_PROPERTY(double time READ time WRITE setTime)
    Q_PROPERTY(double rate READ rate WRITE setRate)
    Q_PROPERTY(unsigned titleCount READ titleCount)
    Q_PROPERTY(int title READ title WRITE setTitle)
    Q_PROPERTY(unsigned chapterCount READ chapterCount)
    Q_PROPERTY(int chapter READ chapter WRITE setChapter)

public:
    explicit QmlVlcInput(vlc::playlist_player_core& player) : m_player(player) {}

    double length() const { return static_cast<double>(m_player.playback().get_length()); }
    double fps() const { return m_player.playback().get_fps(); }
    bool hasVout() const { return m_player.video().has_vout(); }
    unsigned state() const { return static_cast<unsigned>(m_player.get_state()); }
    double position() const { return m_player.playback().get_position(); }
    void setPosition(double position) { m_player.playback().set_position(static_cast<float>(position)); }
    double time() const { return static_cast<double>(m_player.playback().get_time()); }
    void setTime(double time) { m_player.playback().set_time(static_cast<int64_t>(time)); }
    double rate() const { return m_player.playback().get_rate(); }
    void setRate(double rate) { m_player.playback().set_rate(static_cast<float>(rate)); }
    unsigned titleCount() const;
    int title() const;
    void setTitle(int title);
    unsigned chapterCount() const;
    int chapter() const;
    void setChapter(int chapter);

    Q_INVOKABLE void prevChapter();
    Q_INVOKABLE void nextChapter();

private:
    vlc::playlist_player_core& m_player;
};
