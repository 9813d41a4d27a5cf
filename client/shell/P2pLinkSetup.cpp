#include "shell/P2pLinkSetup.h"

#include "client_base/base/HandleReceivedMessagesP2pClient.h"

namespace LynClient {

std::unique_ptr<P2pClientController::Auth> P2pLinkSetup::start(const QSharedPointer<P2pMeetingClientNetworkSimpleFinal> &link,
                                                                const QString &host, const QString &port,
                                                                const QString &remoteSign)
{
    using P2pClientBase::ClientNetworkSimple;
    using P2pClientController::Auth;

    link->setRemoteSign(remoteSign);
    link->setMessageHandler(QSharedPointer<HandleReceivedMessagesP2pClient>::create());
    P2pClientController::ControllerBase::setLink(link);

    auto auth = std::make_unique<Auth>();
    P2pMeetingClientNetworkSimpleFinal *l = link.data();
    QObject::connect(l, &ClientNetworkSimple::fireTrAuth, auth.get(), &Auth::trAuth);
    QObject::connect(l, &ClientNetworkSimple::fireTrSignUp, auth.get(), &Auth::trSignup);
    QObject::connect(auth.get(), &Auth::saAuth, l, [l](const QJsonObject &) {
        l->setAmountConnected(l->amountConnected() + 1);
        emit l->connectionState(true);
    }, Qt::DirectConnection);

    link->setParam(QStringLiteral("host"), host);
    link->setParam(QStringLiteral("port"), port);
    link->start(QThread::NormalPriority);
    return auth;
}

} // namespace LynClient
