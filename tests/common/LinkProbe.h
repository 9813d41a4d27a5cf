#pragma once

#include "clientNetwork/LynClientNetworkBase.h"

#include <QObject>

// Lives on the test thread and re-emits the link's signals there, so that
// QSignalSpy never touches another thread's emission.
class LinkProbe : public QObject
{
    Q_OBJECT
public:
    explicit LinkProbe(LynClientBase::LynClientNetworkBase *link);

signals:
    void connectionState(bool isConnected);
    void amountConnectedChanged(qlonglong amountConnected);
    void connectionClosed();
    void inited();
};
