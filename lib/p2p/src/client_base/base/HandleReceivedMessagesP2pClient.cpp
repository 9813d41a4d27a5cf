#include "client_base/base/HandleReceivedMessagesP2pClient.h"

#include "nt_common/core/log/LogText.h"

#include <QDebug>

void HandleReceivedMessagesP2pClient::handleMessage(QString receiver, QString action, std::shared_ptr<DTO> dto)
{
    qDebug().noquote() << NtCommon::LogText::message(dto->toJson());
    if (receiver == QLatin1String("singleTcpRelay"))
        emit singleTcpRelayMessage(action, dto);
    else if (receiver == QLatin1String("auth"))
        emit authMessage(action, dto);
    else if (receiver == QLatin1String("peersManager"))
        emit peersManagerMessage(action, dto);
}
