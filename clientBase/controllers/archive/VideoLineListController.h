#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The lines of the archive screen, one per device. A local table that QML
// fills itself: no controller name, no server messages.
class VideoLineListController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit VideoLineListController(QObject *parent = nullptr);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
