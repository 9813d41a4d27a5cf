#include "playback.h"

#include <algorithm>

namespace vlc {

int64_t playback::get_length() const
{
    return m_handle->idle() ? std::max<int64_t>(libvlc_media_player_get_length(m_handle->idle()), 0) : 0;
}

int64_t playback::get_time() const
{
    return m_handle->idle() ? std::max<int64_t>(libvlc_media_player_get_time(m_handle->idle()), 0) : 0;
}

void playback::set_time(int64_t ms)
{
    if (m_handle->player)
        libvlc_media_player_set_time(m_handle->player, ms);
}

float playback::get_position() const
{
    return m_handle->idle() ? std::max(libvlc_media_player_get_position(m_handle->idle()), 0.f) : 0.f;
}

void playback::set_position(float position)
{
    if (m_handle->player)
        libvlc_media_player_set_position(m_handle->player, position);
}

float playback::get_rate() const
{
    return m_handle->idle() ? libvlc_media_player_get_rate(m_handle->idle()) : 1.f;
}

void playback::set_rate(float rate)
{
    if (m_handle->player)
        libvlc_media_player_set_rate(m_handle->player, rate);
}

// Deprecated in libvlc 3 but without a replacement there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
float playback::get_fps() const
{
    return m_handle->idle() ? libvlc_media_player_get_fps(m_handle->idle()) : 0.f;
}
#pragma GCC diagnostic pop

} // namespace vlc
