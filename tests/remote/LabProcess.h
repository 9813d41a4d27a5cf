#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

class NetnsLab;

// A stand-in running inside a namespace of the lab, its output collected
// line by line while the test's event loop runs.
class LabProcess : public QObject
{
    Q_OBJECT
public:
    explicit LabProcess(const QString &name);
    ~LabProcess() override;

    void start(const NetnsLab &lab, const QString &role, const QStringList &command, const QString &workDir);
    // Waits (event loop running) for a line containing text; false on time-out or exit.
    bool waitForLine(const QString &text, int timeoutMs);
    // The last line containing text, or empty.
    QString lastLine(const QString &text) const;
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    int exitCode() const { return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1; }
    void stop();
    // Everything it printed, for failure messages.
    QString tail(int lines = 30) const;

private:
    QString m_name;
    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partial;
};
