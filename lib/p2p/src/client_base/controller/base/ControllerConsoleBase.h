#pragma once

#include "client_base/controller/base/ControllerBase.h"

#include <QObject>

namespace P2pClientController {

// A P2P controller without a model: receives the messages of its receiver name.
class ControllerConsoleBase : public QObject, public ControllerBase
{
    Q_OBJECT
public:
    explicit ControllerConsoleBase(QObject *parent = nullptr);

public slots:
    void onMessageReceived(QString actionName, std::shared_ptr<DTO> mapParams);

protected:
    // Subscribes to the dispatcher signal of this controller's receiver name.
    void subscribe(void (HandleReceivedMessagesP2pClient::*signal)(QString, std::shared_ptr<DTO>));
};

} // namespace P2pClientController
