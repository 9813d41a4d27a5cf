#include "player.h"

#include <algorithm>
#include <vector>

namespace vlc {

void player::close()
{
    player_core::close();
    clear_items();
}

void player::play()
{
    if (m_playlist.empty()) {
        start_playing();
    } else if (m_current < 0) {
        internal_play(0);
    } else {
        internal_play(std::min<int>(m_current, static_cast<int>(m_playlist.size()) - 1));
    }
}

int player::add_media(const media& item)
{
    if (!is_open() || m_playlist.size() >= max_playlist_items || item.empty())
        return -1;
    m_playlist.push_back({item, false, {}});
    return static_cast<int>(m_playlist.size()) - 1;
}

bool player::delete_item(unsigned idx)
{
    if (m_playlist.empty() || idx >= m_playlist.size())
        return false;
    const int cur = m_current;
    const int index = static_cast<int>(idx);
    const int last = static_cast<int>(m_playlist.size()) - 1;
    if (cur >= 0 && (cur > index || (cur == index && cur == last)))
        --m_current;
    m_playlist.erase(m_playlist.begin() + index);
    if (cur >= 0 && cur == index && get_state() == libvlc_Playing)
        internal_play(find_enabled(cur, true));
    return true;
}

void player::clear_items()
{
    m_playlist.clear();
    m_current = -1;
}

media player::get_media(unsigned idx)
{
    return idx < m_playlist.size() ? m_playlist[idx].item : media();
}

int player::find_media_index(const media& item)
{
    for (size_t i = 0; i < m_playlist.size(); ++i) {
        if (m_playlist[i].item.get() == item.get())
            return static_cast<int>(i);
    }
    return -1;
}

void player::disable_item(unsigned idx, bool disable)
{
    if (idx < m_playlist.size())
        m_playlist[idx].disabled = disable;
}

bool player::is_item_disabled(unsigned idx)
{
    return idx < m_playlist.size() && m_playlist[idx].disabled;
}

void player::set_item_data(unsigned idx, const std::string& data)
{
    if (idx < m_playlist.size())
        m_playlist[idx].data = data;
}

const std::string& player::get_item_data(unsigned idx)
{
    return idx < m_playlist.size() ? m_playlist[idx].data : empty_data();
}

void player::move_item(unsigned idx, int diff)
{
    const int count = static_cast<int>(m_playlist.size());
    const int from = static_cast<int>(idx);
    const long target = static_cast<long>(idx) + diff;
    if (idx >= m_playlist.size() || diff == 0 || target < 0 || target >= count)
        return;
    const int to = static_cast<int>(target);
    playlist_item moved = m_playlist[idx];
    m_playlist.erase(m_playlist.begin() + from);
    m_playlist.insert(m_playlist.begin() + to, std::move(moved));
    const int c = m_current;
    if (c < 0)
        return;
    if (c == from)
        m_current = to;
    else if (diff > 0 && from < c && c <= to)
        m_current = c - 1;
    else if (diff < 0 && to <= c && c < from)
        m_current = c + 1;
}

void player::set_current(unsigned idx)
{
    if (idx >= m_playlist.size())
        return;
    m_current = static_cast<int>(idx);
    set_media(m_playlist[idx].item);
}

bool player::play(unsigned idx)
{
    if (idx >= m_playlist.size())
        return false;
    internal_play(static_cast<int>(idx));
    return true;
}

void player::next()
{
    const bool replaced = try_expand_current();
    if (m_playlist.empty())
        return;
    internal_play(find_enabled(replaced ? m_current : m_current + 1, true));
}

void player::prev()
{
    if (m_playlist.empty())
        return;
    internal_play(find_enabled(m_current - 1, false));
}

int player::find_enabled_in(int from, int to) const
{
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step) {
        if (!m_playlist[static_cast<size_t>(i)].disabled)
            return i;
    }
    return -1;
}

int player::find_enabled(int start, bool forward) const
{
    const int count = static_cast<int>(m_playlist.size());
    if (count == 0)
        return -1;
    if (forward) {
        const int s = start < 0 ? 0 : std::min(start, count);
        const int found = s <= count - 1 ? find_enabled_in(s, count - 1) : -1;
        if (found >= 0)
            return found;
        return (m_mode == mode_loop && s >= 1) ? find_enabled_in(0, s - 1) : -1;
    }
    const int s = std::max(std::min(start, count - 1), -1);
    const int found = s >= 0 ? find_enabled_in(s, 0) : -1;
    if (found >= 0)
        return found;
    return (m_mode == mode_loop && s < count - 1) ? find_enabled_in(count - 1, s + 1) : -1;
}

void player::internal_play(int idx)
{
    if (idx < 0 || idx >= static_cast<int>(m_playlist.size()) || !get_mp())
        return;
    const media loaded = current_media();
    const bool same = loaded.get() == m_playlist[static_cast<size_t>(idx)].item.get();
    if (!same || get_state() == libvlc_Ended)
        set_current(static_cast<unsigned>(idx));
    start_playing();
}

bool player::try_expand_current()
{
    const bool has_current = m_current >= 0 && m_current < static_cast<int>(m_playlist.size());
    const media source = has_current ? m_playlist[static_cast<size_t>(m_current)].item : current_media();
    const std::string data = has_current ? m_playlist[static_cast<size_t>(m_current)].data : std::string();
    if (source.empty())
        return false;
    libvlc_media_list_t* sub_items = libvlc_media_subitems(source.get());
    if (!sub_items)
        return false;
    std::vector<playlist_item> added;
    libvlc_media_list_lock(sub_items);
    const int listed = libvlc_media_list_count(sub_items);
    const int take = std::min<int>(static_cast<int>(max_playlist_items), listed);
    for (int i = 0; i < take; ++i) {
        media item(libvlc_media_list_item_at_index(sub_items, i), true);
        if (!item.empty())
            added.push_back({std::move(item), false, data});
    }
    libvlc_media_list_unlock(sub_items);
    libvlc_media_list_release(sub_items);

    const size_t room = max_playlist_items - std::min<size_t>(m_playlist.size(), max_playlist_items);
    if (added.size() > room)
        added.resize(room);
    if (added.empty())
        return false;
    if (has_current) {
        const auto at = m_playlist.begin() + m_current;
        m_playlist.erase(at);
        m_playlist.insert(m_playlist.begin() + m_current, added.begin(), added.end());
    } else {
        m_current = static_cast<int>(m_playlist.size());
        m_playlist.insert(m_playlist.end(), added.begin(), added.end());
    }
    return true;
}

} // namespace vlc
