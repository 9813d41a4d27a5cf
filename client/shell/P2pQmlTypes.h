#pragma once

namespace LynClient {

// The QML module "P2P" 1.0.
class P2pQmlTypes
{
public:
    static void registerTypes();
};

} // namespace LynClient
