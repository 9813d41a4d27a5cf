#pragma once

#include "client_base/base/ClientNetwork.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "nt_common/core/dto/DTO.h"
#include "nt_common/core/pointer/SharedPointerEx.h"

#include <QList>
#include <QString>

#include <memory>
#include <string>

namespace P2pClientController {

// What every P2P controller shares: its identity, the process-wide link and
// the command buffer.
class ControllerBase
{
public:
    ControllerBase();
    virtual ~ControllerBase();

    virtual bool handleMessage(QString actionName, std::shared_ptr<DTO> dto);

    // Builds {"FN": commandName, "RECEIVER": receiverId} + params and sends it,
    // or keeps it while the calling thread has buffering on.
    void sendCommand(const QString &commandName, const QJsonObject &params);
    void onBufferCmd();
    void offBufferCmd();
    void sendBufferCmd(bool block4write = false);

    qint64 receiverId() const;
    QString controllerName() const;

    static void setLink(const QSharedPointer<P2pClientBase::ClientNetworkSimple> &link);
    static NtCommon::SharedPointerEx<P2pClientBase::ClientNetworkSimple> link();
    // The link's dispatcher; raises when the link or its dispatcher is missing.
    static HandleReceivedMessagesP2pClient *dispatcher();

protected:
    const std::string loggerName = "main";
    qint64 m_receiverId;
    QString m_controllerName;
};

} // namespace P2pClientController
