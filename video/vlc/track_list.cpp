#include "track_list.h"

namespace vlc::track_list {

int index_of_id(libvlc_track_description_t* list, int id)
{
    if (!list)
        return -1;
    int found = -1;
    if (id >= 0) {
        int position = 0;
        for (auto* entry = list; entry; entry = entry->p_next, ++position) {
            if (entry->i_id == id) {
                found = position;
                break;
            }
        }
    }
    libvlc_track_description_list_release(list);
    return found;
}

int id_at_index(libvlc_track_description_t* list, unsigned index)
{
    auto* entry = list;
    for (unsigned i = 0; entry && i < index; ++i)
        entry = entry->p_next;
    const int id = entry ? entry->i_id : -1;
    libvlc_track_description_list_release(list);
    return id;
}

} // namespace vlc::track_list
