#pragma once

#include <vlc/vlc.h>

namespace vlc {

// The single place holding the media-player handle; accessor groups read it
// on every call so that a reopened player needs no rebinding.
struct media_player_handle
{
    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* player = nullptr;
};

} // namespace vlc
