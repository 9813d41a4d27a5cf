#pragma once

#include <vlc/vlc.h>

namespace vlc {

// Called on libvlc's event thread.
struct media_player_events_callback
{
    virtual ~media_player_events_callback() = default;
    virtual void media_player_event(const libvlc_event_t* event) = 0;
};

} // namespace vlc
