#include "basic_vmem_wrapper.h"

namespace vlc {

namespace {
void* inert_lock(void*, void** planes)
{
    planes[0] = planes[1] = planes[2] = nullptr;
    return nullptr;
}

unsigned inert_format(void**, char*, unsigned*, unsigned*, unsigned*, unsigned*)
{
    return 0;
}
} // namespace

basic_vmem_wrapper::~basic_vmem_wrapper()
{
    close();
}

bool basic_vmem_wrapper::open(player_core& player)
{
    if (m_player && m_player == player.get_mp())
        return true;
    close();
    if (!player.get_mp())
        return false;
    m_player = player.get_mp();
    libvlc_media_player_retain(m_player);
    libvlc_video_set_callbacks(m_player, &lock_proxy, &unlock_proxy, &display_proxy, this);
    libvlc_video_set_format_callbacks(m_player, &format_proxy, &cleanup_proxy);
    return true;
}

libvlc_media_player_t* basic_vmem_wrapper::take_player()
{
    libvlc_media_player_t* player = m_player;
    if (player) {
        libvlc_video_set_callbacks(player, &inert_lock, nullptr, nullptr, nullptr);
        libvlc_video_set_format_callbacks(player, &inert_format, nullptr);
    }
    m_player = nullptr;
    return player;
}

void basic_vmem_wrapper::close()
{
    if (libvlc_media_player_t* player = take_player()) {
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
    }
}

unsigned basic_vmem_wrapper::format_proxy(void** opaque, char* chroma, unsigned* width,
                                          unsigned* height, unsigned* pitches, unsigned* lines)
{
    return static_cast<basic_vmem_wrapper*>(*opaque)->video_format_cb(chroma, width, height, pitches, lines);
}

void basic_vmem_wrapper::cleanup_proxy(void* opaque)
{
    static_cast<basic_vmem_wrapper*>(opaque)->video_cleanup_cb();
}

void* basic_vmem_wrapper::lock_proxy(void* opaque, void** planes)
{
    return static_cast<basic_vmem_wrapper*>(opaque)->video_lock_cb(planes);
}

void basic_vmem_wrapper::unlock_proxy(void* opaque, void* picture, void* const* planes)
{
    static_cast<basic_vmem_wrapper*>(opaque)->video_unlock_cb(picture, planes);
}

void basic_vmem_wrapper::display_proxy(void* opaque, void* picture)
{
    static_cast<basic_vmem_wrapper*>(opaque)->video_display_cb(picture);
}

} // namespace vlc
