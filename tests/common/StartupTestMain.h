#pragma once

#include "MainLogFile.h"

#include "base/SettingsSimple.h"
#include "nt_common/core/singleton/SpSingleton.h"
#include "shell/ClientStartup.h"

#include <QDir>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

// main() of a test that runs inside a started client: a fresh working
// folder, the client's start-up object around the test object.
template <typename Test>
int runInStartedClient(int argc, char *argv[])
{
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    int code = 0;
    {
        LynClient::ClientStartup startup(argc, argv);
        Test test(startup);
        code = QTest::qExec(&test, argc, argv);
    }
    if (code != 0)
        std::printf("%s\n", qPrintable(mainLogWarnings(dir.path())));
    return code;
}

// Points the started client at the local server on 127.0.0.1:port.
inline void useLocalServer(quint16 port)
{
    auto *settings = SpSingleton<LynClientBase::SettingsSimple>::sharedInstance().data();
    settings->setValue("Server", "ip", "127.0.0.1");
    settings->setValue("Server", "port", QString::number(port));
}

// Loads the client's window and waits until it is shown and active; null when it did not come up.
inline QQuickWindow *openWindow(LynClient::ClientStartup &startup)
{
    if (!startup.loadWindow())
        return nullptr;
    auto *window = qobject_cast<QQuickWindow *>(startup.engine()->rootObjects().value(0));
    if (!window || !QTest::qWaitForWindowExposed(window))
        return nullptr;
    window->requestActivate();
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}
