#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// Live streaming and event upload settings ("youtubeSettings"): one record
// that every open screen shares.
class YoutubeSettingsController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit YoutubeSettingsController(QObject *parent = nullptr);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
