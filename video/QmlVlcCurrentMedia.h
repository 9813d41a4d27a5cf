#pragma once

#include "QmlVlcMedia.h"

// The media player's current media.
class QmlVlcCurrentMedia : public QmlVlcMedia
{
    Q_OBJECT

public:
    using QmlVlcMedia::QmlVlcMedia;

    vlc::media getMedia() const override;
};
