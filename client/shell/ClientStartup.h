#pragma once

namespace LynClient {

// Brings the client up in its fixed order, runs the event loop and tears down.
class ClientStartup
{
public:
    // Returns the event loop's exit code, or -1 when the main QML file yields no window.
    static int run(int argc, char *argv[]);
};

} // namespace LynClient
