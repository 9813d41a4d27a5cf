#include "QmlVlcVideoSource.h"

QmlVlcVideoSource::QmlVlcVideoSource(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent,
                                     std::shared_ptr<QmlVlcFrameSink> sink)
    : QObject(parent)
    , m_videoOutput(std::move(player), std::move(sink))
{
}

void QmlVlcVideoSource::classBegin()
{
    m_videoOutput.attachToPlayer();
}

void QmlVlcVideoSource::registerVideoSurface(QmlVlcVideoSurface* surface)
{
    m_videoOutput.registerVideoSurface(surface);
}

void QmlVlcVideoSource::unregisterVideoSurface(QmlVlcVideoSurface* surface)
{
    m_videoOutput.unregisterVideoSurface(surface);
}
