#include "client_base/controller/base/ControllerConsoleBase.h"

#include "nt_common/core/thread/ThreadHandover.h"

namespace P2pClientController {

ControllerConsoleBase::ControllerConsoleBase(QObject *parent)
    : QObject(parent)
{
}

void ControllerConsoleBase::onMessageReceived(QString actionName, std::shared_ptr<DTO> mapParams)
{
    NtCommon::ThreadHandover::acquire(HandleReceivedMessagesP2pClient::handover());
    if (mapParams)
        handleMessage(actionName, mapParams);
}

void ControllerConsoleBase::subscribe(void (HandleReceivedMessagesP2pClient::*signal)(QString, std::shared_ptr<DTO>))
{
    connect(dispatcher(), signal, this, &ControllerConsoleBase::onMessageReceived);
}

} // namespace P2pClientController
