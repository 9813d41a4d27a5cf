#pragma once

#include <vlc/vlc.h>

namespace vlc {

// libvlc addresses tracks by id; the wrapper by position in the description
// list. Both helpers release the list they are given.
namespace track_list {

int index_of_id(libvlc_track_description_t* list, int id);
int id_at_index(libvlc_track_description_t* list, unsigned index);

} // namespace track_list
} // namespace vlc
