#pragma once

#include "media_player_handle.h"

namespace vlc {

class video
{
public:
    explicit video(const media_player_handle* handle) : m_handle(handle) {}

    bool has_vout() const;
    unsigned track_count() const;
    int get_track() const;
    void set_track(unsigned index);
    int get_adjust_int(libvlc_video_adjust_option_t option) const;
    void set_adjust_int(libvlc_video_adjust_option_t option, int value);
    float get_adjust_float(libvlc_video_adjust_option_t option) const;
    void set_adjust_float(libvlc_video_adjust_option_t option, float value);

private:
    const media_player_handle* m_handle;
};

} // namespace vlc
