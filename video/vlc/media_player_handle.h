#pragma once

#include <vlc/vlc.h>

#include "command_queue.h"

namespace vlc {

// The single place holding the media-player handle; accessor groups read it
// on every call so that a reopened player needs no rebinding.
struct media_player_handle
{
    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* player = nullptr;
    const command_queue* commands = nullptr;

    // The player for reading, or null while a queued command may hold libvlc's
    // input lock (a getter would then wait for it, seconds on a dead stream).
    libvlc_media_player_t* idle() const { return commands && commands->busy() ? nullptr : player; }
};

} // namespace vlc
