#include "QmlVlcMediaListPlayer.h"

#include "QmlVlcConfig.h"
#include "QmlVlcLog.h"
#include "vlc/media_list_player.h"

QmlVlcMediaListPlayer::QmlVlcMediaListPlayer(QObject* parent)
    : QmlVlcMediaListPlayerProxy(std::make_shared<vlc::media_list_player>(), parent)
{
    m_libvlc = QmlVlcConfig::instance().getLibvlcInstance();
    if (m_libvlc)
        player().open(m_libvlc);
    else
        QmlVlcLog::critical("Couldn't create libvlc instance. Check vlc plugins dir.");
}

QmlVlcMediaListPlayer::~QmlVlcMediaListPlayer()
{
    detachListener();
    player().close();
    QmlVlcConfig::instance().releaseLibvlcInstance(m_libvlc);
}
