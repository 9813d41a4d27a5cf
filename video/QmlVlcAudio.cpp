#include "QmlVlcAudio.h"

#include "QmlVlcTrackDescription.h"

QmlVlcAudio::QmlVlcAudio(vlc::playlist_player_core& player)
    : m_player(player)
{
    m_player.audio().register_callback(this);
}

QmlVlcAudio::~QmlVlcAudio()
{
    m_player.audio().unregister_callback(this);
}

QString QmlVlcAudio::description(unsigned idx) const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? QmlVlcTrackDescription::name(libvlc_audio_get_track_description(mp), idx) : QString();
}

void QmlVlcAudio::audio_event(vlc::audio_event_e code)
{
    // Emitted from the event loop: a handler that changes the audio again
    // would otherwise re-enter the listener list's lock.
    const char* signal = code == vlc::audio_event_mute ? "muteChanged" : "volumeChanged";
    QMetaObject::invokeMethod(this, signal, Qt::QueuedConnection);
}
