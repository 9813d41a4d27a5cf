#pragma once

#include "client_base/base/HandleReceivedMessagesBase.h"

// Re-emits each P2P message on the signal of its receiver name.
class HandleReceivedMessagesP2pClient : public P2pClientBase::HandleReceivedMessagesBase
{
    Q_OBJECT
public:
    using P2pClientBase::HandleReceivedMessagesBase::HandleReceivedMessagesBase;

    void handleMessage(QString receiver, QString action, std::shared_ptr<DTO> dto) override;

signals:
    void authMessage(QString actionName, std::shared_ptr<DTO> mapParams);
    void peersManagerMessage(QString actionName, std::shared_ptr<DTO> mapParams);
    void singleTcpRelayMessage(QString actionName, std::shared_ptr<DTO> mapParams);
    void userSessionMessage(QString actionName, std::shared_ptr<DTO> mapParams);
};
