#pragma once

#include <cstdint>

namespace vlc {

// Same numbers as the QML playlist's Mode.
enum playback_mode_e : int32_t
{
    mode_single = 0,
    mode_normal = 1,
    mode_loop = 2,
};

// The playlist holds at most this many items (largest signed 16-bit value).
constexpr unsigned max_playlist_items = 0x7FFF;

} // namespace vlc
