#pragma once

#include "client_base/controller/peers/PeersManagerBaseController.h"

namespace P2pClientController {

// The peers manager controller QML creates.
class PeersManagerController : public PeersManagerBaseController
{
    Q_OBJECT
public:
    using PeersManagerBaseController::PeersManagerBaseController;
};

} // namespace P2pClientController
