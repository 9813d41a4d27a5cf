#include "QmlVlcMedia.h"

#include "QmlVlcPlayerProxy.h"

QmlVlcMedia::QmlVlcMedia(QmlVlcPlayerProxy* player)
    : m_player(player)
{
}

QString QmlVlcMedia::meta(libvlc_meta_t meta) const
{
    return QString::fromStdString(getMedia().get_meta(meta));
}

void QmlVlcMedia::setTitle(const QString& title)
{
    getMedia().set_meta(libvlc_meta_Title, title.toStdString());
    emit titleChanged();
}

QString QmlVlcMedia::mrl() const
{
    return QString::fromStdString(getMedia().mrl());
}

int QmlVlcMedia::playlistIndex() const
{
    if (!m_player)
        return -1;
    const vlc::media item = getMedia();
    return item.empty() ? -1 : m_player->player().find_media_index(item);
}

QString QmlVlcMedia::setting() const
{
    const int index = playlistIndex();
    if (index < 0)
        return {};
    return QString::fromStdString(m_player->player().get_item_data(static_cast<unsigned>(index)));
}

void QmlVlcMedia::setSetting(const QString& setting)
{
    const int index = playlistIndex();
    if (index >= 0)
        m_player->player().set_item_data(static_cast<unsigned>(index), setting.toStdString());
}

bool QmlVlcMedia::disabled() const
{
    const int index = playlistIndex();
    return index >= 0 && m_player->player().is_item_disabled(static_cast<unsigned>(index));
}

void QmlVlcMedia::setDisabled(bool disabled)
{
    const int index = playlistIndex();
    if (index >= 0)
        m_player->player().disable_item(static_cast<unsigned>(index), disabled);
}
