#pragma once

#include "client_base/base/ClientNetwork.h"

// The P2P link's thread body; runs without keep-alive in this client.
class P2pMeetingClientNetworkSimpleFinal : public P2pClientBase::ClientNetworkSimple
{
    Q_OBJECT
public:
    P2pMeetingClientNetworkSimpleFinal();
    ~P2pMeetingClientNetworkSimpleFinal() override;

protected:
    void run() override;
};
