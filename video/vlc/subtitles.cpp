#include "subtitles.h"

#include "track_list.h"

namespace vlc {

unsigned subtitles::track_count() const
{
    if (!m_handle->idle())
        return 0;
    const int count = libvlc_video_get_spu_count(m_handle->idle());
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int subtitles::get_track() const
{
    if (!m_handle->idle())
        return -1;
    return track_list::index_of_id(libvlc_video_get_spu_description(m_handle->idle()),
                                   libvlc_video_get_spu(m_handle->idle()));
}

void subtitles::set_track(unsigned index)
{
    m_handle->post([index](libvlc_media_player_t* mp) {
        if (auto* list = libvlc_video_get_spu_description(mp))
            libvlc_video_set_spu(mp, track_list::id_at_index(list, index));
    });
}

int64_t subtitles::get_delay() const
{
    if (libvlc_media_player_t* mp = m_handle->idle())
        m_delay_ms = libvlc_video_get_spu_delay(mp) / 1000;
    return m_handle->player ? m_delay_ms : 0;
}

void subtitles::set_delay(int64_t ms)
{
    if (!m_handle->player)
        return;
    m_delay_ms = ms;
    m_handle->post([ms](libvlc_media_player_t* mp) { libvlc_video_set_spu_delay(mp, ms * 1000); });
}

// Deprecated in libvlc 3 but without a replacement there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
bool subtitles::load(const std::string& path)
{
    if (libvlc_media_player_t* mp = m_handle->idle())
        return libvlc_video_set_subtitle_file(mp, path.c_str()) != 0;
    // The worker holds the player: the file follows what is queued, unchecked.
    m_handle->post([path](libvlc_media_player_t* mp) { libvlc_video_set_subtitle_file(mp, path.c_str()); });
    return m_handle->player != nullptr;
}
#pragma GCC diagnostic pop

} // namespace vlc
