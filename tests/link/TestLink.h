#pragma once

#include "threads/clientNetwork/LynClientNetworkFinal.h"

// The real link with intervals short enough for a test run.
class TestLink : public LynClientNetworkFinalSimple
{
public:
    TestLink(qint64 pingSec, qint64 pongSec)
    {
        pingIntervalSec = pingSec;
        pongTimeoutSec = pongSec;
    }
};
