#pragma once

#include "client_base/controller/base/ControllerConsoleBase.h"

#include <QJsonObject>

namespace P2pClientController {

// Logs the client in to the P2P server, or asks it for new credentials.
class Auth : public ControllerConsoleBase
{
    Q_OBJECT
public:
    explicit Auth(QObject *parent = nullptr);

    bool handleMessage(QString actionName, std::shared_ptr<DTO> dto) override;

public slots:
    void trAuth();
    void trSignup();

private:
    // True for the answer to the outstanding sign-up request, on every instance.
    bool acceptSignup(const std::shared_ptr<DTO> &dto) const;

signals:
    void saAuth(QJsonObject mapParams);
    void saFailed(QJsonObject mapParams);
    void saSignup(QJsonObject mapParams);
};

} // namespace P2pClientController
