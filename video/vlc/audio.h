#pragma once

#include <cstdint>

#include "audio_events_callback.h"
#include "callbacks_holder.h"
#include "media_player_handle.h"

namespace vlc {

class audio : public callbacks_holder<audio_events_callback>
{
public:
    explicit audio(const media_player_handle* handle) : m_handle(handle) {}

    unsigned track_count() const;
    int get_track() const;
    void set_track(unsigned index);
    bool is_muted() const;
    void set_mute(bool mute);
    void toggle_mute();
    unsigned get_volume() const;
    void set_volume(unsigned volume);
    int get_channel() const;
    void set_channel(int channel);
    // Milliseconds; libvlc keeps microseconds.
    int64_t get_delay() const;
    void set_delay(int64_t ms);

private:
    void notify(audio_event_e code);

    const media_player_handle* m_handle;
    // Last known or asked-for values, answered while the worker holds the player.
    mutable bool m_muted = false;
    mutable unsigned m_volume = 100;
    mutable int64_t m_delay_ms = 0;
};

} // namespace vlc
