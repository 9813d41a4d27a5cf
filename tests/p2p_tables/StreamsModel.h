#pragma once

#include "client_base/model/ModelBase.h"

// The stand-in server's stream table as the tests describe it.
class StreamsModel : public P2pClientController::ModelBase
{
public:
    StreamsModel();
};
