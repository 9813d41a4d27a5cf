#include "shell/LocalServerProcess.h"

namespace LynClient {

namespace {
constexpr int kStopWaitMs = 3000;
}

LocalServerProcess::LocalServerProcess(QObject *parent)
    : QProcess(parent)
{
    // The server's output goes to the client's console instead of piling up unread.
    setProcessChannelMode(QProcess::ForwardedChannels);
}

LocalServerProcess::~LocalServerProcess()
{
    if (state() == QProcess::NotRunning)
        return;
    terminate();
    if (!waitForFinished(kStopWaitMs)) {
        kill();
        waitForFinished(kStopWaitMs);
    }
}

QString LocalServerProcess::programPath(const QString &workDir)
{
#ifdef Q_OS_WIN
    return workDir + QStringLiteral("/server/Kestrel.exe");
#else
    return workDir + QStringLiteral("/server/Kestrel");
#endif
}

void LocalServerProcess::startIn(const QString &workDir)
{
    setProgram(programPath(workDir));
    setArguments({});
    setWorkingDirectory(workDir + QStringLiteral("/server/"));
    start(QIODevice::ReadWrite);
}

} // namespace LynClient
