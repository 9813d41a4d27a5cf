#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Remote access settings ("onlineAccessSettings"): one record that every open
// screen shares.
class OnlineAccessSettingsController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit OnlineAccessSettingsController(QObject *parent = nullptr);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
