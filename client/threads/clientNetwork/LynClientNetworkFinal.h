#pragma once

#include "base/LynClientNetwork.h"

// The server link's thread body: set up, announce, run the event loop.
class LynClientNetworkFinalSimple : public LynClientBase::LynClientNetwork
{
    Q_OBJECT
public:
    using LynClientBase::LynClientNetwork::LynClientNetwork;
    ~LynClientNetworkFinalSimple() override;

protected:
    void run() override;
};
