#include "client_base/controller/base/ControllerConsoleBase.h"

namespace P2pClientController {

ControllerConsoleBase::ControllerConsoleBase(QObject *parent)
    : QObject(parent)
{
}

void ControllerConsoleBase::onMessageReceived(QString actionName, std::shared_ptr<DTO> mapParams)
{
    if (mapParams)
        handleMessage(actionName, mapParams);
}

void ControllerConsoleBase::subscribe(void (HandleReceivedMessagesP2pClient::*signal)(QString, std::shared_ptr<DTO>))
{
    connect(dispatcher(), signal, this, &ControllerConsoleBase::onMessageReceived);
}

} // namespace P2pClientController
