#pragma once

#include <deque>

#include "playlist_player_core.h"

namespace vlc {

// Keeps its own playlist and decides itself what plays next.
class player : public playlist_player_core
{
public:
    void close() override;
    void play() override;
    int32_t get_playback_mode() const override { return m_mode; }
    void set_playback_mode(int32_t mode) override { m_mode = mode; }
    using playlist_player_core::add_media;
    int add_media(const media& item) override;
    unsigned item_count() override { return static_cast<unsigned>(m_playlist.size()); }
    bool delete_item(unsigned idx) override;
    void clear_items() override;
    media get_media(unsigned idx) override;
    int find_media_index(const media& item) override;
    void disable_item(unsigned idx, bool disable) override;
    bool is_item_disabled(unsigned idx) override;
    void set_item_data(unsigned idx, const std::string& data) override;
    const std::string& get_item_data(unsigned idx) override;
    void move_item(unsigned idx, int diff) override;
    int current_item() override { return m_current; }
    void set_current(unsigned idx) override;
    using playlist_player_core::play;
    bool play(unsigned idx) override;
    void next() override;
    void prev() override;

private:
    struct playlist_item
    {
        media item;
        bool disabled = false;
        std::string data;
    };

    int find_enabled(int start, bool forward) const;
    int find_enabled_in(int from, int to) const;
    void internal_play(int idx);
    bool try_expand_current();

    int32_t m_mode = mode_single;
    std::deque<playlist_item> m_playlist;
    int32_t m_current = -1;
};

} // namespace vlc
