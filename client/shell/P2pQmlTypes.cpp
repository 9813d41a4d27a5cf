#include "shell/P2pQmlTypes.h"

#include "client_base/controller/auth/Auth.h"
#include "client_base/controller/peers/PeersManagerController.h"

#include <QQmlEngine>

namespace LynClient {

void P2pQmlTypes::registerTypes()
{
    qmlRegisterType<P2pClientController::Auth>("P2P", 1, 0, "Auth");
    qmlRegisterType<P2pClientController::PeersManagerController>("P2P", 1, 0, "PeersManagerController");
    qmlProtectModule("P2P", 1);
}

} // namespace LynClient
