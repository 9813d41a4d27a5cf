#pragma once

#include <QString>

#include <memory>

class QGuiApplication;
class QQmlApplicationEngine;

namespace LynClientBase {
class DesktopUtils;
class LynClientNetworkQMLBaseSimple;
class SettingsSimple;
class Translator;
} // namespace LynClientBase

namespace P2pClientController {
class Auth;
}

namespace LynClient {

class SignalQuit;

// Brings the client up in its fixed order, runs the event loop and tears down.
// Construction runs every step up to the window; loadWindow() loads it; the
// destructor runs the shutdown steps.
class ClientStartup
{
public:
    ClientStartup(int &argc, char **argv);
    ~ClientStartup();

    // False when the main QML file yields no window.
    bool loadWindow();
    int exec();
    QQmlApplicationEngine *engine() const;

    // Returns the event loop's exit code, or -1 when the main QML file yields no window.
    static int run(int argc, char *argv[]);

private:
    void startP2pLink();
    void startServerLink();

    QString m_workDir;
    std::unique_ptr<QGuiApplication> m_app;
    std::unique_ptr<SignalQuit> m_signalQuit;
    LynClientBase::SettingsSimple *m_settings = nullptr;
    std::unique_ptr<LynClientBase::DesktopUtils> m_desktopUtils;
    std::unique_ptr<P2pClientController::Auth> m_auth;
    LynClientBase::LynClientNetworkQMLBaseSimple *m_net = nullptr;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<LynClientBase::Translator> m_translator;
};

} // namespace LynClient
