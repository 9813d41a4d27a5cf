#include "QmlVlcCurrentMedia.h"

#include "QmlVlcPlayerProxy.h"

vlc::media QmlVlcCurrentMedia::getMedia() const
{
    return player() ? player()->player().current_media() : vlc::media();
}
