#pragma once

#include "LinkProbe.h"

#include <QSharedPointer>

#include <memory>

class LynClientNetworkFinalSimple;
namespace LynClientBase {
class HandleRecievedMessages;
}

// The client's server link with its router, installed for the table
// controllers, whose connection changes the test watches through the probe.
class WatchedLink
{
public:
    ~WatchedLink();

    // Starts the link thread and asks for a connection to 127.0.0.1:port; false when the thread did not start.
    bool start(quint16 port);
    void stop();

    LinkProbe *probe() const { return m_probe.get(); }
    LynClientNetworkFinalSimple *link() const { return m_link.data(); }
    qlonglong amountConnected() const;

private:
    QSharedPointer<LynClientNetworkFinalSimple> m_link;
    QSharedPointer<LynClientBase::HandleRecievedMessages> m_router;
    std::unique_ptr<LinkProbe> m_probe;
};
