#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The local server's analysis modules ("moduleSystem"): lists, on/off and
// parameters. Keeps no records; each answer goes to the instance that asked.
class ModuleSystemController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit ModuleSystemController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trModuleList(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trActiveModuleList(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trModuleOn(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trModuleOff(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trGetParams(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trSetParams(QJsonObject mapParams);

signals:
    void saModuleList(QJsonObject mapParams);
    void saActiveModuleList(QJsonObject mapParams);
    void saModuleOn(QJsonObject mapParams);
    void saModuleOff(QJsonObject mapParams);
    void saGetParams(QJsonObject mapParams);
    void saSetParams(QJsonObject mapParams);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
