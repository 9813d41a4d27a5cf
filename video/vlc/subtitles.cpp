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
    if (!m_handle->player)
        return;
    auto* list = libvlc_video_get_spu_description(m_handle->player);
    if (list)
        libvlc_video_set_spu(m_handle->player, track_list::id_at_index(list, index));
}

int64_t subtitles::get_delay() const
{
    return m_handle->idle() ? libvlc_video_get_spu_delay(m_handle->idle()) / 1000 : 0;
}

void subtitles::set_delay(int64_t ms)
{
    if (m_handle->player)
        libvlc_video_set_spu_delay(m_handle->player, ms * 1000);
}

// Deprecated in libvlc 3 but without a replacement there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
bool subtitles::load(const std::string& path)
{
    return m_handle->player && libvlc_video_set_subtitle_file(m_handle->player, path.c_str()) != 0;
}
#pragma GCC diagnostic pop

} // namespace vlc
