#include "QmlVlcTrackDescription.h"

namespace QmlVlcTrackDescription {

QString name(libvlc_track_description_t* list, unsigned idx)
{
    auto* entry = list;
    for (unsigned i = 0; entry && i < idx; ++i)
        entry = entry->p_next;
    const QString result = entry && entry->psz_name ? QString::fromUtf8(entry->psz_name) : QString();
    if (list)
        libvlc_track_description_list_release(list);
    return result;
}

} // namespace QmlVlcTrackDescription
