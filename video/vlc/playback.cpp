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
    m_handle->post([ms](libvlc_media_player_t* mp) { libvlc_media_player_set_time(mp, ms); });
}

float playback::get_position() const
{
    return m_handle->idle() ? std::max(libvlc_media_player_get_position(m_handle->idle()), 0.f) : 0.f;
}

void playback::set_position(float position)
{
    m_handle->post([position](libvlc_media_player_t* mp) { libvlc_media_player_set_position(mp, position); });
}

float playback::get_rate() const
{
    // Until the worker has applied a change, the rate asked for is the answer.
    if (libvlc_media_player_t* mp = m_handle->idle())
        m_rate = libvlc_media_player_get_rate(mp);
    return m_handle->player ? m_rate : 1.f;
}

void playback::set_rate(float rate)
{
    if (!m_handle->player)
        return;
    m_rate = rate;
    m_handle->post([rate](libvlc_media_player_t* mp) { libvlc_media_player_set_rate(mp, rate); });
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
