#pragma once

#include "QmlVlcPlayerProxy.h"

// VlcPlayer: keeps its own playlist.
class QmlVlcPlayer : public QmlVlcPlayerProxy
{
    Q_OBJECT

public:
    explicit QmlVlcPlayer(QObject* parent = nullptr);
    ~QmlVlcPlayer() override;

private:
    libvlc_instance_t* m_libvlc = nullptr;
};
