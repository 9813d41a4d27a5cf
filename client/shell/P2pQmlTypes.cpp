#include "shell/P2pQmlTypes.h"

#include "client_base/controller/auth/Auth.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "client_base/model/OriginalModel.h"
#include "client_base/model/ProxyModel.h"

#include <QQmlEngine>

namespace LynClient {

void P2pQmlTypes::registerTypes()
{
    qmlRegisterType<P2pClientController::Auth>("P2P", 1, 0, "Auth");
    qmlRegisterType<P2pClientController::PeersManagerController>("P2P", 1, 0, "PeersManagerController");
    // The controllers hand their models to QML; QML never makes its own.
    qmlRegisterUncreatableType<P2pClientController::OriginalModel>("P2P", 1, 0, "P2pOriginalModel", QStringLiteral("P2pOriginalModel is created by its controller"));
    qmlRegisterUncreatableType<P2pClientController::ProxyModel>("P2P", 1, 0, "P2pProxyModel", QStringLiteral("P2pProxyModel is created by its controller"));
    qmlProtectModule("P2P", 1);
}

} // namespace LynClient
