#include "QmlVlcInput.h"

unsigned QmlVlcInput::titleCount() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    const int count = mp ? libvlc_media_player_get_title_count(mp) : 0;
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int QmlVlcInput::title() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? libvlc_media_player_get_title(mp) : -1;
}

void QmlVlcInput::setTitle(int title)
{
    m_player.post([title](libvlc_media_player_t* mp) { libvlc_media_player_set_title(mp, title); });
}

unsigned QmlVlcInput::chapterCount() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    const int count = mp ? libvlc_media_player_get_chapter_count(mp) : 0;
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int QmlVlcInput::chapter() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? libvlc_media_player_get_chapter(mp) : -1;
}

void QmlVlcInput::setChapter(int chapter)
{
    m_player.post([chapter](libvlc_media_player_t* mp) { libvlc_media_player_set_chapter(mp, chapter); });
}

void QmlVlcInput::prevChapter()
{
    m_player.post([](libvlc_media_player_t* mp) { libvlc_media_player_previous_chapter(mp); });
}

void QmlVlcInput::nextChapter()
{
    m_player.post([](libvlc_media_player_t* mp) { libvlc_media_player_next_chapter(mp); });
}
