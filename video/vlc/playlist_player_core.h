#pragma once

#include <string>
#include <vector>

#include "playback_mode.h"
#include "player_core.h"

namespace vlc {

class playlist_player_core : public player_core
{
public:
    virtual int32_t get_playback_mode() const = 0;
    virtual void set_playback_mode(int32_t mode) = 0;
    virtual int add_media(const media& item) = 0;
    virtual unsigned item_count() = 0;
    virtual bool delete_item(unsigned idx) = 0;
    virtual void clear_items() = 0;
    virtual media get_media(unsigned idx) = 0;
    virtual int find_media_index(const media& item) = 0;
    virtual void disable_item(unsigned idx, bool disable) = 0;
    virtual bool is_item_disabled(unsigned idx) = 0;
    virtual void set_item_data(unsigned idx, const std::string& data) = 0;
    virtual const std::string& get_item_data(unsigned idx) = 0;
    virtual void move_item(unsigned idx, int diff) = 0;
    virtual int current_item() = 0;
    virtual void set_current(unsigned idx) = 0;
    using player_core::play;
    virtual bool play(unsigned idx) = 0;
    virtual void next() = 0;
    virtual void prev() = 0;

    // Makes a media on the player's instance and adds it. Untrusted options
    // get the unique flag, trusted ones unique and trusted.
    int add_media(const std::string& mrl,
                  const std::vector<std::string>& untrusted_options,
                  const std::vector<std::string>& trusted_options,
                  bool is_path);

protected:
    static const std::string& empty_data();
};

} // namespace vlc
