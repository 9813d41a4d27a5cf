#include "ChildProcess.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace Standin {

ChildProcess::ChildProcess(QObject *parent)
    : QProcess(parent)
{
    setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

ChildProcess::~ChildProcess()
{
    stop();
}

void ChildProcess::startFfmpeg(const QStringList &arguments, int niceness)
{
    m_parentPid = ::getpid();
    m_niceness = niceness;
    start(QStringLiteral("ffmpeg"),
          QStringList{"-hide_banner", "-loglevel", "error", "-nostdin", "-y"} + arguments);
}

void ChildProcess::stop()
{
    if (state() == QProcess::NotRunning)
        return;
    terminate();
    if (!waitForFinished(2000)) {
        kill();
        waitForFinished(2000);
    }
}

// Runs in the child between fork and exec: only async-signal-safe calls.
void ChildProcess::setupChildProcess()
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The server may have died before the line above took effect.
    if (::getppid() != static_cast<pid_t>(m_parentPid))
        ::_exit(1);
    if (m_niceness > 0)
        ::setpriority(PRIO_PROCESS, 0, m_niceness);
}

} // namespace Standin
