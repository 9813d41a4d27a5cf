#pragma once

#include "client_base/controller/auth/Auth.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QSharedPointer>

#include <memory>

namespace LynClient {

// Wires a P2P link the way the client runs it: its dispatcher, the
// process-wide link of the P2P controllers, the login controller answering the
// link's first action after each connect, and the connection parameters; then
// starts its thread.
class P2pLinkSetup
{
public:
    static std::unique_ptr<P2pClientController::Auth> start(const QSharedPointer<P2pMeetingClientNetworkSimpleFinal> &link,
                                                            const QString &host, const QString &port,
                                                            const QString &remoteSign);
};

} // namespace LynClient
