#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Login/password pairs the local server tries on cameras ("devicePassword").
class DevicePasswordController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit DevicePasswordController(QObject *parent = nullptr);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
