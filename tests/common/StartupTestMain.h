#pragma once

#include "shell/ClientStartup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

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
    return code;
}
