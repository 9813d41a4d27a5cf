#pragma once

#include <functional>

#include <vlc/vlc.h>

#include "command_queue.h"

namespace vlc {

// The single place holding the media-player handle; accessor groups read it
// on every call so that a reopened player needs no rebinding.
struct media_player_handle
{
    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* player = nullptr;
    command_queue* commands = nullptr;

    // The player for reading, or null while a queued command may hold libvlc's
    // input lock (a getter would then wait for it, seconds on a dead stream).
    libvlc_media_player_t* idle() const { return commands && commands->busy() ? nullptr : player; }
    // Runs a call on the player after the commands already queued: every
    // libvlc call that changes the player may wait for its input thread.
    void post(std::function<void(libvlc_media_player_t*)> call) const
    {
        if (player && commands)
            commands->post([mp = player, call = std::move(call)] { call(mp); });
    }
};

} // namespace vlc
