#pragma once

#include <QProcess>

namespace Standin {

// A media helper (ffmpeg) owned by the server: it dies with the server, even
// when the server is killed, and is always reaped.
class ChildProcess : public QProcess
{
    Q_OBJECT
public:
    explicit ChildProcess(QObject *parent = nullptr);
    ~ChildProcess() override;

    // Runs ffmpeg quietly with the given arguments; niceness 0..19 for batch work.
    void startFfmpeg(const QStringList &arguments, int niceness = 0);
    // Asks politely, then kills; returns once the process is reaped.
    void stop();

protected:
    void setupChildProcess() override;

private:
    qint64 m_parentPid = 0;
    int m_niceness = 0;
};

} // namespace Standin
