#pragma once

#include "LinkProbe.h"
#include "base/HandleRecievedMessages.h"
#include "client_base/controller/auth/Auth.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QSharedPointer>

#include <memory>

// The client's P2P link, wired as start-up wires it, to a P2P server, and on
// request the server link in P2P mode that runs the local server's protocol
// through it. The link may be configured (sign, password, first action)
// before start().
class P2pModeLink
{
public:
    P2pModeLink();
    ~P2pModeLink();

    // Starts the link's thread for the remote installation remoteSign; false when it did not start.
    bool start(const QString &host, quint16 port, const QString &remoteSign = QStringLiteral("home"), int timeoutMs = 10000);
    // Connects and waits for the login's answer; false when none came.
    bool logIn(int timeoutMs = 10000);
    // Starts the server link in P2P mode, its own WebSocket pointed at a port nobody serves.
    bool startServerLink(int timeoutMs = 10000);
    void stop();

    const QSharedPointer<P2pMeetingClientNetworkSimpleFinal> &p2pLink() const { return m_p2pLink; }
    P2pClientController::Auth *auth() const { return m_auth.get(); }
    LynClientNetworkFinalSimple *serverLink() const { return m_serverLink.get(); }
    LynClientBase::HandleRecievedMessages *router() const { return m_router.data(); }

private:
    QSharedPointer<P2pMeetingClientNetworkSimpleFinal> m_p2pLink;
    std::unique_ptr<P2pClientController::Auth> m_auth;
    std::unique_ptr<LynClientNetworkFinalSimple> m_serverLink;
    QSharedPointer<LynClientBase::HandleRecievedMessages> m_router;
};
