#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Lets the interface ask the local server to shut down or to drop this client,
// and then ends the client.
class AppController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit AppController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trShutdownServer(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trCloseConnection(QJsonObject mapParams);
    Q_INVOKABLE void makeExit();

signals:
    void saShutdownServer(QJsonObject mapParams);

private:
    QJsonObject sendAndQuit(const QString &action, const QJsonObject &mapParams);
};

} // namespace LynClientController
