#include "audio.h"

#include "track_list.h"

namespace vlc {

unsigned audio::track_count() const
{
    if (!m_handle->idle())
        return 0;
    const int count = libvlc_audio_get_track_count(m_handle->idle());
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int audio::get_track() const
{
    if (!m_handle->idle())
        return -1;
    return track_list::index_of_id(libvlc_audio_get_track_description(m_handle->idle()),
                                   libvlc_audio_get_track(m_handle->idle()));
}

void audio::set_track(unsigned index)
{
    m_handle->post([index](libvlc_media_player_t* mp) {
        if (auto* list = libvlc_audio_get_track_description(mp))
            libvlc_audio_set_track(mp, track_list::id_at_index(list, index));
    });
}

bool audio::is_muted() const
{
    // Until the worker has applied a change, the value asked for is the answer.
    if (libvlc_media_player_t* mp = m_handle->idle()) {
        const int mute = libvlc_audio_get_mute(mp);
        if (mute >= 0)
            m_muted = mute > 0;
    }
    return m_handle->player && m_muted;
}

void audio::set_mute(bool mute)
{
    if (!m_handle->player)
        return;
    m_muted = mute;
    m_handle->post([mute](libvlc_media_player_t* mp) { libvlc_audio_set_mute(mp, mute ? 1 : 0); });
    notify(audio_event_mute);
}

void audio::toggle_mute()
{
    set_mute(!is_muted());
}

unsigned audio::get_volume() const
{
    if (libvlc_media_player_t* mp = m_handle->idle()) {
        const int volume = libvlc_audio_get_volume(mp);
        if (volume >= 0)
            m_volume = static_cast<unsigned>(volume);
    }
    return m_handle->player ? m_volume : 0;
}

void audio::set_volume(unsigned volume)
{
    if (!m_handle->player)
        return;
    m_volume = volume;
    m_handle->post([volume](libvlc_media_player_t* mp) { libvlc_audio_set_volume(mp, static_cast<int>(volume)); });
    notify(audio_event_volume);
}

int audio::get_channel() const
{
    return m_handle->idle() ? libvlc_audio_get_channel(m_handle->idle()) : -1;
}

void audio::set_channel(int channel)
{
    m_handle->post([channel](libvlc_media_player_t* mp) { libvlc_audio_set_channel(mp, channel); });
}

int64_t audio::get_delay() const
{
    if (libvlc_media_player_t* mp = m_handle->idle())
        m_delay_ms = libvlc_audio_get_delay(mp) / 1000;
    return m_handle->player ? m_delay_ms : 0;
}

void audio::set_delay(int64_t ms)
{
    if (!m_handle->player)
        return;
    m_delay_ms = ms;
    m_handle->post([ms](libvlc_media_player_t* mp) { libvlc_audio_set_delay(mp, ms * 1000); });
}

void audio::notify(audio_event_e code)
{
    for_each_callback([code](audio_events_callback* callback) { callback->audio_event(code); });
}

} // namespace vlc
