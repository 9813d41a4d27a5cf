#pragma once

#include <QProcess>

namespace LynClient {

// The local server the client runs beside. It is started once and never
// restarted; on destruction it is asked to stop, and killed if it will not.
class LocalServerProcess : public QProcess
{
    Q_OBJECT
public:
    explicit LocalServerProcess(QObject *parent);
    ~LocalServerProcess() override;

    // Starts "<workDir>/server/Kestrel" (".exe" on Windows) in "<workDir>/server/".
    // The outcome is not examined: a missing server only keeps the link retrying.
    void startIn(const QString &workDir);

    static QString programPath(const QString &workDir);
};

} // namespace LynClient
