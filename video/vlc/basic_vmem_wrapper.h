#pragma once

#include "player_core.h"

namespace vlc {

// Installs libvlc's video memory callbacks on a media player and forwards
// them to the five virtual operations (called on libvlc's threads).
class basic_vmem_wrapper
{
public:
    basic_vmem_wrapper() = default;
    virtual ~basic_vmem_wrapper();
    basic_vmem_wrapper(const basic_vmem_wrapper&) = delete;
    basic_vmem_wrapper& operator=(const basic_vmem_wrapper&) = delete;

    bool open(player_core& player);
    // Stops the callbacks of future outputs and hands over the retained
    // player; the caller stops and releases it (a video output already
    // running keeps calling this object until that stop returns).
    libvlc_media_player_t* take_player();
    void close();

protected:
    virtual unsigned video_format_cb(char* chroma, unsigned* width, unsigned* height,
                                     unsigned* pitches, unsigned* lines) = 0;
    virtual void video_cleanup_cb() = 0;
    virtual void* video_lock_cb(void** planes) = 0;
    virtual void video_unlock_cb(void* picture, void* const* planes) = 0;
    virtual void video_display_cb(void* picture) = 0;

    libvlc_media_player_t* attached_player() const { return m_player; }

private:
    static unsigned format_proxy(void** opaque, char* chroma, unsigned* width, unsigned* height,
                                 unsigned* pitches, unsigned* lines);
    static void cleanup_proxy(void* opaque);
    static void* lock_proxy(void* opaque, void** planes);
    static void unlock_proxy(void* opaque, void* picture, void* const* planes);
    static void display_proxy(void* opaque, void* picture);

    libvlc_media_player_t* m_player = nullptr;
};

} // namespace vlc
