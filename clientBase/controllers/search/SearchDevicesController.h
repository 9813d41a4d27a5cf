#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Cameras the local server finds on the network ("searchDevices"). Every
// incoming record is enriched with the login, password and address taken
// apart from its source address.
class SearchDevicesController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit SearchDevicesController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trSearch(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trTryGetRtspByIP(QJsonObject mapParams);
    // The camera-source parser, for the editors that check a source before sending it.
    Q_INVOKABLE QJsonObject parseUrl(QString url) const;

signals:
    void saSearch(QJsonObject mapParams);
    void saTryGetRtspByIP(QJsonObject mapParams);

protected:
    void preDispatch(QJsonObject &mapParams) override;

private:
    // The enriched form of one search result.
    static QJsonObject enrichRecord(QJsonObject record);

    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
