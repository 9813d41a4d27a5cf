#include "video.h"

#include "track_list.h"

namespace vlc {

bool video::has_vout() const
{
    return m_handle->idle() && libvlc_media_player_has_vout(m_handle->idle()) != 0;
}

unsigned video::track_count() const
{
    if (!m_handle->idle())
        return 0;
    const int count = libvlc_video_get_track_count(m_handle->idle());
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int video::get_track() const
{
    if (!m_handle->idle())
        return -1;
    return track_list::index_of_id(libvlc_video_get_track_description(m_handle->idle()),
                                   libvlc_video_get_track(m_handle->idle()));
}

void video::set_track(unsigned index)
{
    m_handle->post([index](libvlc_media_player_t* mp) {
        if (auto* list = libvlc_video_get_track_description(mp))
            libvlc_video_set_track(mp, track_list::id_at_index(list, index));
    });
}

int video::get_adjust_int(libvlc_video_adjust_option_t option) const
{
    return m_handle->idle() ? libvlc_video_get_adjust_int(m_handle->idle(), option) : 0;
}

void video::set_adjust_int(libvlc_video_adjust_option_t option, int value)
{
    m_handle->post([option, value](libvlc_media_player_t* mp) { libvlc_video_set_adjust_int(mp, option, value); });
}

float video::get_adjust_float(libvlc_video_adjust_option_t option) const
{
    return m_handle->idle() ? libvlc_video_get_adjust_float(m_handle->idle(), option) : 0.f;
}

void video::set_adjust_float(libvlc_video_adjust_option_t option, float value)
{
    m_handle->post([option, value](libvlc_media_player_t* mp) { libvlc_video_set_adjust_float(mp, option, value); });
}

} // namespace vlc
