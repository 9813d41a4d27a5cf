#pragma once

#include "controllers/base/ControllerDesktopBase.h"

namespace LynClientController {

// The recorded pieces of video the local server keeps ("archive").
class ArchiveController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit ArchiveController(QObject *parent = nullptr);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
