#include "QmlVlcPlayer.h"

#include "QmlVlcConfig.h"
#include "QmlVlcLog.h"
#include "vlc/player.h"

QmlVlcPlayer::QmlVlcPlayer(QObject* parent)
    : QmlVlcPlayerProxy(std::make_shared<vlc::player>(), parent)
{
    m_libvlc = QmlVlcConfig::instance().getLibvlcInstance();
    if (m_libvlc)
        player().open(m_libvlc);
    else
        QmlVlcLog::critical("Couldn't create libvlc instance. Check vlc plugins dir.");
}

QmlVlcPlayer::~QmlVlcPlayer()
{
    detachListener();
    player().close();
    QmlVlcConfig::instance().releaseLibvlcInstance(m_libvlc);
}
