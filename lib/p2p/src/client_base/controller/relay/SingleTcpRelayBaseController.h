#pragma once

#include "client_base/controller/base/ControllerConsoleBase.h"

#include <QJsonObject>

namespace P2pClientController {

// Carries request objects through the P2P server to the remote installation
// named by the link's remote sign, and its requests back.
class SingleTcpRelayBaseController : public ControllerConsoleBase
{
    Q_OBJECT
public:
    explicit SingleTcpRelayBaseController(QObject *parent = nullptr);

    bool handleMessage(QString actionName, std::shared_ptr<DTO> dto) override;

    Q_INVOKABLE void trSendRequest(QJsonObject mapParams);

signals:
    void saSendRequest(QJsonObject mapParams);
    void srSendRequest(QJsonObject mapParams);
};

} // namespace P2pClientController
