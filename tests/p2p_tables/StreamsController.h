#pragma once

#include "client_base/controller/base/ControllerDesktopBase.h"

// A table controller under "peersManager" with its own model of the stream table.
class StreamsController : public P2pClientController::ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit StreamsController(bool isStatic = false);
};
