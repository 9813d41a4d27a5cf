#pragma once

#include "playlist_player_core.h"

namespace vlc {

// Delegates the playlist to a libvlc media list and media-list player.
class media_list_player : public playlist_player_core
{
public:
    ~media_list_player() override;

    bool open(libvlc_instance_t* instance) override;
    void close() override;
    void play() override;
    int32_t get_playback_mode() const override { return m_mode; }
    void set_playback_mode(int32_t mode) override;
    using playlist_player_core::add_media;
    int add_media(const media& item) override;
    unsigned item_count() override;
    bool delete_item(unsigned idx) override;
    void clear_items() override;
    media get_media(unsigned idx) override;
    int find_media_index(const media& item) override;
    void disable_item(unsigned, bool) override {}
    bool is_item_disabled(unsigned) override { return false; }
    void set_item_data(unsigned, const std::string&) override {}
    const std::string& get_item_data(unsigned) override { return empty_data(); }
    void move_item(unsigned, int) override {}
    int current_item() override;
    void set_current(unsigned) override {}
    using playlist_player_core::play;
    bool play(unsigned idx) override;
    void next() override;
    void prev() override;

protected:
    void set_events_attached(bool attached) override;

private:
    void set_list_events_attached(bool attached);
    void release_list();

    libvlc_media_list_t* m_media_list = nullptr;
    libvlc_media_list_player_t* m_list_player = nullptr;
    int32_t m_mode = mode_single;
};

} // namespace vlc
