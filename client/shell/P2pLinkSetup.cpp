#include "shell/P2pLinkSetup.h"

#include "base/SettingsSimple.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "nt_common/core/singleton/SpSingleton.h"

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

    // The address resolver answers on the P2P server's host unless "main.conf" names another.
    if (const auto settings = SpSingleton<LynClientBase::SettingsSimple>::sharedInstance()) {
        const QString resolverHost = settings->QSettings::value(QStringLiteral("P2pServer/resolverIp")).toString();
        const QString resolverPort = settings->QSettings::value(QStringLiteral("P2pServer/resolverPort")).toString();
        if (!resolverHost.isEmpty())
            link->setParam(QStringLiteral("resolver_host"), resolverHost);
        if (!resolverPort.isEmpty())
            link->setParam(QStringLiteral("resolver_port"), resolverPort);
    }
    link->setParam(QStringLiteral("host"), host);
    link->setParam(QStringLiteral("port"), port);
    link->start(QThread::NormalPriority);
    return auth;
}

} // namespace LynClient
