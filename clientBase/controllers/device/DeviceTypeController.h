#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The fixed list of device types for pickers; never talks to the server.
class DeviceTypeController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit DeviceTypeController(QObject *parent = nullptr);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
