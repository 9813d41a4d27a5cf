#include "QmlVlcInput.h"

unsigned QmlVlcInput::titleCount() const
{
    const int count = m_player.get_mp() ? libvlc_media_player_get_title_count(m_player.get_mp()) : 0;
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int QmlVlcInput::title() const
{
    return m_player.get_mp() ? libvlc_media_player_get_title(m_player.get_mp()) : -1;
}

void QmlVlcInput::setTitle(int title)
{
    if (m_player.get_mp())
        libvlc_media_player_set_title(m_player.get_mp(), title);
}

unsigned QmlVlcInput::chapterCount() const
{
    const int count = m_player.get_mp() ? libvlc_media_player_get_chapter_count(m_player.get_mp()) : 0;
    return count < 0 ? 0 : static_cast<unsigned>(count);
}

int QmlVlcInput::chapter() const
{
    return m_player.get_mp() ? libvlc_media_player_get_chapter(m_player.get_mp()) : -1;
}

void QmlVlcInput::setChapter(int chapter)
{
    if (m_player.get_mp())
        libvlc_media_player_set_chapter(m_player.get_mp(), chapter);
}

void QmlVlcInput::prevChapter()
{
    if (m_player.get_mp())
        libvlc_media_player_previous_chapter(m_player.get_mp());
}

void QmlVlcInput::nextChapter()
{
    if (m_player.get_mp())
        libvlc_media_player_next_chapter(m_player.get_mp());
}
