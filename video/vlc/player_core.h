#pragma once

#include "audio.h"
#include "callbacks_holder.h"
#include "media.h"
#include "media_player_events_callback.h"
#include "media_player_handle.h"
#include "playback.h"
#include "subtitles.h"
#include "video.h"

namespace vlc {

class player_core : private callbacks_holder<media_player_events_callback>
{
public:
    player_core();
    ~player_core() override;
    player_core(const player_core&) = delete;
    player_core& operator=(const player_core&) = delete;

    void register_callback(media_player_events_callback* callback) override;
    void unregister_callback(media_player_events_callback* callback) override;
    virtual bool open(libvlc_instance_t* instance);
    virtual void close();
    virtual void play() = 0;

    bool is_open() const { return m_handle.player != nullptr; }
    libvlc_state_t get_state() const;
    media current_media() const;
    void stop();
    void pause();
    void toggle_pause();

    libvlc_instance_t* get_instance() const { return m_instance; }
    libvlc_media_player_t* get_mp() const { return m_handle.player; }

    vlc::audio& audio() { return m_audio; }
    vlc::video& video() { return m_video; }
    vlc::subtitles& subtitles() { return m_subtitles; }
    vlc::playback& playback() { return m_playback; }

protected:
    virtual void set_events_attached(bool attached);
    bool listeners_registered() { return has_callbacks(); }
    static void libvlc_event_handler(const libvlc_event_t* event, void* data);

private:
    libvlc_instance_t* m_instance = nullptr;
    media_player_handle m_handle;
    vlc::playback m_playback;
    vlc::video m_video;
    vlc::audio m_audio;
    vlc::subtitles m_subtitles;
};

} // namespace vlc
