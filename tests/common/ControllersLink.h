#pragma once

#include "LinkProbe.h"

#include <QSharedPointer>

#include <memory>

class LynClientNetworkFinalSimple;
namespace LynClientBase {
class HandleRecievedMessages;
}

// The client's server link to a stand-in on 127.0.0.1, with its message
// router, installed as the link every table controller talks through. Its
// connection changes reach the test thread through probe().
class ControllersLink
{
public:
    ~ControllersLink();

    // Starts the link thread, installs the link and asks for a connection
    // without waiting for it; false when the thread did not start.
    bool start(quint16 port, int timeoutMs = 10000);
    // start(), then waits for the connection; false when it did not connect.
    bool open(quint16 port, int timeoutMs = 5000);
    void close();

    LinkProbe *probe() const { return m_probe.get(); }
    qlonglong amountConnected() const;

private:
    QSharedPointer<LynClientNetworkFinalSimple> m_link;
    QSharedPointer<LynClientBase::HandleRecievedMessages> m_router;
    std::unique_ptr<LinkProbe> m_probe;
};
