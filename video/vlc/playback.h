#pragma once

#include <cstdint>

#include "media_player_handle.h"

namespace vlc {

class playback
{
public:
    explicit playback(const media_player_handle* handle) : m_handle(handle) {}

    int64_t get_length() const;
    int64_t get_time() const;
    void set_time(int64_t ms);
    float get_position() const;
    void set_position(float position);
    float get_rate() const;
    void set_rate(float rate);
    float get_fps() const;

private:
    const media_player_handle* m_handle;
    mutable float m_rate = 1.f;
};

} // namespace vlc
