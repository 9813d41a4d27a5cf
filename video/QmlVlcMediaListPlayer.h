#pragma once

#include "QmlVlcMediaListPlayerProxy.h"

// VlcMediaListPlayer: the playlist is a libvlc media list.
class QmlVlcMediaListPlayer : public QmlVlcMediaListPlayerProxy
{
    Q_OBJECT

public:
    explicit QmlVlcMediaListPlayer(QObject* parent = nullptr);
    ~QmlVlcMediaListPlayer() override;

private:
    libvlc_instance_t* m_libvlc = nullptr;
};
