#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The device table ("cam"). Every instance shows the same record model; each
// has its own proxy. Also relays the detection notifications and writes a
// device's SDP text where the player can open it.
class DeviceController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit DeviceController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trInitP2PChannel(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trRestartCamera(QJsonObject mapParams);
    // Writes entry's "sdp" to "./sdp/<rowID>.sdp"; returns the absolute path, or
    // an empty text when there is no SDP or the rowID is not a whole number.
    Q_INVOKABLE QString createSDPFile(QJsonObject entry);

signals:
    void srRectText(QJsonObject mapParams);
    void srRectTextSub(QJsonObject mapParams);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
