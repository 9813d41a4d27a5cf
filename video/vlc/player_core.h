#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "audio.h"
#include "callbacks_holder.h"
#include "command_queue.h"
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
    // The media last given to the player, also while that command waits in the queue.
    media current_media() const;
    // These three wait on the player's worker, never on libvlc.
    void stop();
    void pause();
    void toggle_pause();
    // Runs a call on the media player after the commands already queued; the
    // way to make any libvlc call that may wait for the input thread.
    void post(std::function<void(libvlc_media_player_t*)> call);
    void post_command(std::function<void()> command) { m_commands.post(std::move(command)); }
    // True while the worker has commands queued or running.
    bool busy() const { return m_commands.busy(); }

    libvlc_instance_t* get_instance() const { return m_instance; }
    libvlc_media_player_t* get_mp() const { return m_handle.player; }
    // The player for a reading call, or null while the worker may hold it.
    libvlc_media_player_t* idle_mp() const { return m_handle.idle(); }

    vlc::audio& audio() { return m_audio; }
    vlc::video& video() { return m_video; }
    vlc::subtitles& subtitles() { return m_subtitles; }
    vlc::playback& playback() { return m_playback; }

protected:
    void set_media(const media& item);
    void start_playing();
    virtual void set_events_attached(bool attached);
    bool listeners_registered() { return has_callbacks(); }
    static void libvlc_event_handler(const libvlc_event_t* event, void* data);

private:
    void release_player();

    command_queue m_commands;
    media m_requested_media;
    int m_media_requests = 0;
    std::shared_ptr<std::atomic<int>> m_media_applied = std::make_shared<std::atomic<int>>(0);
    libvlc_instance_t* m_instance = nullptr;
    media_player_handle m_handle;
    vlc::playback m_playback;
    vlc::video m_video;
    vlc::audio m_audio;
    vlc::subtitles m_subtitles;
};

} // namespace vlc
