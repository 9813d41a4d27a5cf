#include "QmlVlcMediaListPlayerProxy.h"

void QmlVlcMediaListPlayerProxy::handleLibvlcEvent(const libvlc_event_t& event)
{
    switch (event.type) {
    case libvlc_MediaListItemAdded:
        emit mediaListItemAdded(event.u.media_list_item_added.index);
        break;
    case libvlc_MediaListWillAddItem:
        emit mediaListWillAddItem(event.u.media_list_will_add_item.index);
        break;
    case libvlc_MediaListItemDeleted:
        emit mediaListItemDeleted(event.u.media_list_item_deleted.index);
        break;
    case libvlc_MediaListWillDeleteItem:
        emit mediaListWillDeleteItem(event.u.media_list_will_delete_item.index);
        break;
    case libvlc_MediaListPlayerPlayed:
        emit mediaListPlayerPlayed();
        break;
    case libvlc_MediaListPlayerNextItemSet:
        emit mediaListPlayerNextItemSet();
        break;
    case libvlc_MediaListPlayerStopped:
        emit mediaListPlayerStopped();
        break;
    default:
        QmlVlcPlayerProxy::handleLibvlcEvent(event);
        break;
    }
}
