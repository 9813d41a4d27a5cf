#pragma once

#include "QmlVlcMedia.h"

// One playlist item, made for QML on demand.
class QmlVlcMediaMedia : public QmlVlcMedia
{
    Q_OBJECT

public:
    QmlVlcMediaMedia(QmlVlcPlayerProxy* player, vlc::media media)
        : QmlVlcMedia(player)
        , m_media(std::move(media))
    {
    }

    vlc::media getMedia() const override { return m_media; }

private:
    vlc::media m_media;
};
