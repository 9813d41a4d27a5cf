#pragma once

#include <QObject>

#include "vlc/playlist_player_core.h"

class QmlVlcAudio : public QObject, private vlc::audio_events_callback
{
    Q_OBJECT
    Q_PROPERTY(unsigned count READ count)
    Q_PROPERTY(int track READ track WRITE setTrack)
    Q_PROPERTY(bool mute READ mute WRITE setMute NOTIFY muteChanged)
    Q_PROPERTY(unsigned volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(Output channel READ channel WRITE setChannel)
    Q_PROPERTY(int delay READ delay WRITE setDelay)

public:
    enum Output
    {
        Stereo = 1,
        ReverseStereo = 2,
        Left = 3,
        Right = 4,
        Dolby = 5,
    };
    Q_ENUM(Output)

    explicit QmlVlcAudio(vlc::playlist_player_core& player);
    ~QmlVlcAudio() override;

    unsigned count() const { return m_player.audio().track_count(); }
    int track() const { return m_player.audio().get_track(); }
    void setTrack(int track) { m_player.audio().set_track(static_cast<unsigned>(track)); }
    bool mute() const { return m_player.audio().is_muted(); }
    void setMute(bool mute) { m_player.audio().set_mute(mute); }
    unsigned volume() const { return m_player.audio().get_volume(); }
    void setVolume(unsigned volume) { m_player.audio().set_volume(volume); }
    Output channel() const { return static_cast<Output>(m_player.audio().get_channel()); }
    void setChannel(Output channel) { m_player.audio().set_channel(channel); }
    int delay() const { return static_cast<int>(m_player.audio().get_delay()); }
    void setDelay(int ms) { m_player.audio().set_delay(ms); }

    Q_INVOKABLE void toggleMute() { m_player.audio().toggle_mute(); }
    Q_INVOKABLE QString description(unsigned idx) const;

signals:
    void muteChanged();
    void volumeChanged();

private:
    void audio_event(vlc::audio_event_e code) override;

    vlc::playlist_player_core& m_player;
};
