#include "media_list_player.h"

namespace vlc {

namespace {
// Locks a libvlc media list for the scope.
class list_lock
{
public:
    explicit list_lock(libvlc_media_list_t* list) : m_list(list) { libvlc_media_list_lock(m_list); }
    ~list_lock() { libvlc_media_list_unlock(m_list); }
    list_lock(const list_lock&) = delete;
    list_lock& operator=(const list_lock&) = delete;

private:
    libvlc_media_list_t* m_list;
};
} // namespace

media_list_player::~media_list_player()
{
    release_list();
}

bool media_list_player::open(libvlc_instance_t* instance)
{
    if (!player_core::open(instance))
        return false;
    m_media_list = libvlc_media_list_new(instance);
    if (m_media_list)
        m_list_player = libvlc_media_list_player_new(instance);
    if (!m_list_player) {
        close();
        return false;
    }
    if (listeners_registered())
        set_list_events_attached(true);
    libvlc_media_list_player_set_media_list(m_list_player, m_media_list);
    libvlc_media_list_player_set_media_player(m_list_player, get_mp());
    return true;
}

void media_list_player::close()
{
    release_list();
    player_core::close();
}

void media_list_player::release_list()
{
    if (m_media_list && get_mp() && listeners_registered())
        set_list_events_attached(false);
    // Releasing the list player stops it: the worker does that.
    if (libvlc_media_list_player_t* list_player = m_list_player)
        post_command([list_player] { libvlc_media_list_player_release(list_player); });
    if (m_media_list)
        libvlc_media_list_release(m_media_list);
    m_list_player = nullptr;
    m_media_list = nullptr;
}

void media_list_player::set_events_attached(bool attached)
{
    player_core::set_events_attached(attached);
    if (get_mp() && m_media_list)
        set_list_events_attached(attached);
}

void media_list_player::set_list_events_attached(bool attached)
{
    libvlc_event_manager_t* manager = libvlc_media_list_event_manager(m_media_list);
    for (int type = libvlc_MediaListItemAdded; type <= libvlc_MediaListWillDeleteItem; ++type) {
        const auto event_type = static_cast<libvlc_event_type_t>(type);
        if (attached)
            libvlc_event_attach(manager, event_type, &player_core::libvlc_event_handler, this);
        else
            libvlc_event_detach(manager, event_type, &player_core::libvlc_event_handler, this);
    }
}

void media_list_player::play()
{
    if (libvlc_media_list_player_t* list_player = m_list_player)
        post_command([list_player] { libvlc_media_list_player_play(list_player); });
}

void media_list_player::set_playback_mode(int32_t mode)
{
    if (mode == mode_single)
        return;
    m_mode = mode;
    if (m_list_player)
        libvlc_media_list_player_set_playback_mode(
            m_list_player, mode == mode_loop ? libvlc_playback_mode_loop : libvlc_playback_mode_default);
}

int media_list_player::add_media(const media& item)
{
    if (!m_media_list || item.empty() || item_count() >= max_playlist_items)
        return -1;
    list_lock lock(m_media_list);
    if (libvlc_media_list_add_media(m_media_list, item.get()) != 0)
        return -1;
    return libvlc_media_list_index_of_item(m_media_list, item.get());
}

unsigned media_list_player::item_count()
{
    if (!m_media_list)
        return 0;
    list_lock lock(m_media_list);
    const int count = libvlc_media_list_count(m_media_list);
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

bool media_list_player::delete_item(unsigned idx)
{
    if (!m_media_list)
        return false;
    list_lock lock(m_media_list);
    return libvlc_media_list_remove_index(m_media_list, static_cast<int>(idx)) == 0;
}

void media_list_player::clear_items()
{
    if (!m_media_list)
        return;
    list_lock lock(m_media_list);
    for (int i = libvlc_media_list_count(m_media_list) - 1; i >= 0; --i)
        libvlc_media_list_remove_index(m_media_list, i);
}

media media_list_player::get_media(unsigned idx)
{
    if (!m_media_list)
        return {};
    list_lock lock(m_media_list);
    return media(libvlc_media_list_item_at_index(m_media_list, static_cast<int>(idx)), true);
}

int media_list_player::find_media_index(const media& item)
{
    if (!m_media_list || item.empty())
        return -1;
    list_lock lock(m_media_list);
    return libvlc_media_list_index_of_item(m_media_list, item.get());
}

int media_list_player::current_item()
{
    if (!get_mp() || !m_media_list)
        return -1;
    const media current = current_media();
    if (current.empty())
        return -1;
    list_lock lock(m_media_list);
    return libvlc_media_list_index_of_item(m_media_list, current.get());
}

bool media_list_player::play(unsigned idx)
{
    libvlc_media_list_player_t* list_player = m_list_player;
    if (!list_player || idx >= item_count())
        return false;
    post_command([list_player, idx] {
        libvlc_media_list_player_play_item_at_index(list_player, static_cast<int>(idx));
    });
    return true;
}

void media_list_player::next()
{
    if (libvlc_media_list_player_t* list_player = m_list_player)
        post_command([list_player] { libvlc_media_list_player_next(list_player); });
}

void media_list_player::prev()
{
    if (libvlc_media_list_player_t* list_player = m_list_player)
        post_command([list_player] { libvlc_media_list_player_previous(list_player); });
}

} // namespace vlc
