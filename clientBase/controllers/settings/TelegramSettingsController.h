#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Messenger notification settings ("telegramSettings"): one record that every
// open screen shares, and the notifications of the linking procedure.
class TelegramSettingsController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit TelegramSettingsController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

signals:
    void srCode(QJsonObject mapParams);
    void srLinked(QJsonObject mapParams);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
