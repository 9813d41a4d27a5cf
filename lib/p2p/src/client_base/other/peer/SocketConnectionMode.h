#pragma once

#include <QtGlobal>

// The state of one peer's port, from binding to release.
enum class SocketConnectionMode : quint8 {
    Initial = 0,
    ResolvingGlobalAddress = 1,
    GlobalAddressResolved = 2,
    HolePunching = 3,
    Connected = 4,
    ReleasedFromHost = 5,
};
