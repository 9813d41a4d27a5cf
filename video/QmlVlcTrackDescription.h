#pragma once

#include <QString>

#include <vlc/vlc.h>

namespace QmlVlcTrackDescription {

// Name of the idx-th entry (empty past the end); releases the list.
QString name(libvlc_track_description_t* list, unsigned idx);

} // namespace QmlVlcTrackDescription
