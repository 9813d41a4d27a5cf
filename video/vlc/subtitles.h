#pragma once

#include <cstdint>
#include <string>

#include "media_player_handle.h"

namespace vlc {

class subtitles
{
public:
    explicit subtitles(const media_player_handle* handle) : m_handle(handle) {}

    unsigned track_count() const;
    int get_track() const;
    void set_track(unsigned index);
    // Milliseconds; libvlc keeps microseconds.
    int64_t get_delay() const;
    void set_delay(int64_t ms);
    bool load(const std::string& path);

private:
    const media_player_handle* m_handle;
    // Last known or asked-for delay, answered while the worker holds the player.
    mutable int64_t m_delay_ms = 0;
};

} // namespace vlc
