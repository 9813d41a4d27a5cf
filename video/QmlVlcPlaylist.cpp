#include "QmlVlcPlaylist.h"

#include <QQmlEngine>

#include "QmlVlcConfig.h"
#include "QmlVlcMediaMedia.h"
#include "QmlVlcPlayerProxy.h"

QmlVlcPlaylist::QmlVlcPlaylist(QmlVlcPlayerProxy* proxy, vlc::playlist_player_core& player)
    : m_proxy(proxy)
    , m_player(player)
{
    m_player.set_playback_mode(vlc::mode_normal);
}

void QmlVlcPlaylist::setMode(Mode mode)
{
    if (static_cast<unsigned>(mode) < 3)
        m_player.set_playback_mode(mode);
}

int QmlVlcPlaylist::add(const QString& mrl)
{
    return m_player.add_media(mrl.toUtf8().toStdString(), {}, {}, false);
}

int QmlVlcPlaylist::add(QmlVlcMedia* media)
{
    return media ? m_player.add_media(media->getMedia()) : -1;
}

int QmlVlcPlaylist::addWithOptions(const QString& mrl, const QStringList& options)
{
    std::vector<std::string> untrusted;
    std::vector<std::string> trusted;
    const QmlVlcConfig& config = QmlVlcConfig::instance();
    for (const QString& option : options) {
        auto& target = config.isOptionTrusted(option) ? trusted : untrusted;
        target.push_back(option.toUtf8().toStdString());
    }
    return m_player.add_media(mrl.toUtf8().toStdString(), untrusted, trusted, false);
}

void QmlVlcPlaylist::togglePause()
{
    if (m_player.get_state() != libvlc_Playing)
        m_player.play();
    else
        m_player.pause();
}

QQmlListProperty<QmlVlcMedia> QmlVlcPlaylist::items()
{
    return QQmlListProperty<QmlVlcMedia>(this, this, nullptr, &QmlVlcPlaylist::itemsCount,
                                         &QmlVlcPlaylist::itemAt, &QmlVlcPlaylist::itemsClear);
}

int QmlVlcPlaylist::itemsCount(QQmlListProperty<QmlVlcMedia>* list)
{
    return static_cast<int>(static_cast<QmlVlcPlaylist*>(list->data)->m_player.item_count());
}

QmlVlcMedia* QmlVlcPlaylist::itemAt(QQmlListProperty<QmlVlcMedia>* list, int index)
{
    auto* self = static_cast<QmlVlcPlaylist*>(list->data);
    if (index < 0)
        return nullptr;
    auto* media = new QmlVlcMediaMedia(self->m_proxy, self->m_player.get_media(static_cast<unsigned>(index)));
    QQmlEngine::setObjectOwnership(media, QQmlEngine::JavaScriptOwnership);
    return media;
}

void QmlVlcPlaylist::itemsClear(QQmlListProperty<QmlVlcMedia>* list)
{
    static_cast<QmlVlcPlaylist*>(list->data)->m_player.clear_items();
}
