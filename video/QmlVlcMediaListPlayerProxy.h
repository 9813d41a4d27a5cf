#pragma once

#include "QmlVlcPlayerProxy.h"

// Adds the media-list and media-list-player events.
class QmlVlcMediaListPlayerProxy : public QmlVlcPlayerProxy
{
    Q_OBJECT

public:
    using QmlVlcPlayerProxy::QmlVlcPlayerProxy;

signals:
    void mediaListItemAdded(int index);
    void mediaListWillAddItem(int index);
    void mediaListItemDeleted(int index);
    void mediaListWillDeleteItem(int index);
    void mediaListPlayerPlayed();
    void mediaListPlayerNextItemSet();
    void mediaListPlayerStopped();

protected:
    void handleLibvlcEvent(const libvlc_event_t& event) override;
};
