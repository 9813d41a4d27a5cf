#pragma once

#include "LinkProbe.h"

#include <QSharedPointer>

#include <memory>

class LynClientNetworkFinalSimple;
namespace LynClientBase {
class HandleRecievedMessages;
}

// The client's server link to a stand-in on 127.0.0.1, with its message
// router, installed as the link every table controller talks through.
class ControllersLink
{
public:
    ~ControllersLink();

    // Starts the link thread, connects and installs the link; false when it did not connect.
    bool open(quint16 port, int timeoutMs = 5000);
    void close();

private:
    QSharedPointer<LynClientNetworkFinalSimple> m_link;
    QSharedPointer<LynClientBase::HandleRecievedMessages> m_router;
    std::unique_ptr<LinkProbe> m_probe;
};
