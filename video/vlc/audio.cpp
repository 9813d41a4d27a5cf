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
    if (!m_handle->player)
        return;
    auto* list = libvlc_audio_get_track_description(m_handle->player);
    if (list)
        libvlc_audio_set_track(m_handle->player, track_list::id_at_index(list, index));
}

bool audio::is_muted() const
{
    return m_handle->idle() && libvlc_audio_get_mute(m_handle->idle()) > 0;
}

void audio::set_mute(bool mute)
{
    if (!m_handle->player)
        return;
    libvlc_audio_set_mute(m_handle->player, mute ? 1 : 0);
    notify(audio_event_mute);
}

void audio::toggle_mute()
{
    if (!m_handle->player)
        return;
    libvlc_audio_toggle_mute(m_handle->player);
    notify(audio_event_mute);
}

unsigned audio::get_volume() const
{
    if (!m_handle->idle())
        return 0;
    const int volume = libvlc_audio_get_volume(m_handle->idle());
    return volume < 0 ? 0 : static_cast<unsigned>(volume);
}

void audio::set_volume(unsigned volume)
{
    if (!m_handle->player)
        return;
    libvlc_audio_set_volume(m_handle->player, static_cast<int>(volume));
    notify(audio_event_volume);
}

int audio::get_channel() const
{
    return m_handle->idle() ? libvlc_audio_get_channel(m_handle->idle()) : -1;
}

void audio::set_channel(int channel)
{
    if (m_handle->player)
        libvlc_audio_set_channel(m_handle->player, channel);
}

int64_t audio::get_delay() const
{
    return m_handle->idle() ? libvlc_audio_get_delay(m_handle->idle()) / 1000 : 0;
}

void audio::set_delay(int64_t ms)
{
    if (m_handle->player)
        libvlc_audio_set_delay(m_handle->player, ms * 1000);
}

void audio::notify(audio_event_e code)
{
    for_each_callback([code](audio_events_callback* callback) { callback->audio_event(code); });
}

} // namespace vlc
