#pragma once

#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The stand-in executable running in a folder of its own that holds a copy
// of the demo installation recorded at build time.
class StandinProcess
{
public:
    StandinProcess();
    ~StandinProcess();

    // Starts (or starts again, in the same folder) and waits for its port.
    bool start(const QStringList &arguments = {});
    // SIGTERM and wait; true when it exited by itself with code 0.
    bool stop();
    void killHard();

    quint16 port() const { return m_port; }
    qint64 pid() const { return m_process.processId(); }
    QString folder() const { return m_dir.path(); }
    bool isRunning() const { return m_process.state() == QProcess::Running; }

    // Every live process below the stand-in that runs ffmpeg.
    QList<qint64> ffmpegChildren() const;
    // Those of them that read recorded pieces for a playback stream.
    QList<qint64> archiveReaders() const;
    static QString commandLine(qint64 pid);
    // Gone, or a zombie nobody reaps yet.
    static bool isGone(qint64 pid);

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    qint64 m_logOffset = 0;
};
