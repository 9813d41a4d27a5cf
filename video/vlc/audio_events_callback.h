#pragma once

namespace vlc {

enum audio_event_e
{
    audio_event_mute = 0,
    audio_event_volume = 1,
};

// Called on the thread that made the change.
struct audio_events_callback
{
    virtual ~audio_events_callback() = default;
    virtual void audio_event(audio_event_e code) = 0;
};

} // namespace vlc
