// Frame bodies from the P2P server, read as the link reads them (a JSON array
// of objects), dispatched by "FN" to the sign-in, relay and peers controllers.
// The peers controller has no configured remote, so open-port requests take
// the refusal path.
#include "FuzzSupport.h"
#include "client_base/base/ClientNetwork.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/auth/Auth.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace P2pClientController;

namespace {

// Never started: it only owns the dispatcher.
class IdleLink : public P2pClientBase::ClientNetworkSimple
{
};

struct Dispatch
{
    QSharedPointer<P2pClientBase::ClientNetworkSimple> link{new IdleLink};
    QSharedPointer<HandleReceivedMessagesP2pClient> dispatcher = QSharedPointer<HandleReceivedMessagesP2pClient>::create();
    // The controllers find the link when they are made, so it is set first.
    bool linked = [this] {
        DTO::registerMetaTypes();
        link->setMessageHandler(dispatcher);
        ControllerBase::setLink(link);
        return true;
    }();
    Auth auth;
    SingleTcpRelayBaseController relay;
    PeersManagerController peers;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Dispatch dispatch;
    const QJsonDocument frame = QJsonDocument::fromJson(FuzzSupport::bytes(data, size));
    for (const QJsonValue &item : frame.array()) {
        if (item.isObject())
            dispatch.dispatcher->onMessageReceived(std::make_shared<DTO>(item.toObject()));
    }
    if (frame.isObject())
        dispatch.dispatcher->onMessageReceived(std::make_shared<DTO>(frame.object()));
    return 0;
}
