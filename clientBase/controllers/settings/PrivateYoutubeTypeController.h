#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The fixed list of streaming privacy types for a selection box; never talks
// to the server.
class PrivateYoutubeTypeController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit PrivateYoutubeTypeController(QObject *parent = nullptr);

private:
    ProxyModel m_proxy;
};

} // namespace LynClientController
