#include "StandinProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

#include <signal.h>

StandinProcess::StandinProcess()
{
    QDir(m_dir.path()).mkpath(".");
    QFile::copy(QStringLiteral(LYN_STANDIN_DEMO_DIR "/localserver.db"), m_dir.filePath("localserver.db"));
    QFile::setPermissions(m_dir.filePath("localserver.db"), QFile::ReadOwner | QFile::WriteOwner);
    // The recordings are only read: one copy serves every test.
    QFile::link(QStringLiteral(LYN_STANDIN_DEMO_DIR "/archive"), m_dir.filePath("archive"));
}

StandinProcess::~StandinProcess()
{
    if (isRunning())
        killHard();
}

bool StandinProcess::start(const QStringList &arguments)
{
    QFile log(m_dir.filePath("localserver.log"));
    m_logOffset = log.exists() ? log.size() : 0;
    m_process.setWorkingDirectory(m_dir.path());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(LYN_STANDIN_BINARY), QStringList{"--port", "0"} + arguments);
    if (!m_process.waitForStarted(5000))
        return false;
    static const QRegularExpression listening(QStringLiteral("listening on ws://127\\.0\\.0\\.1:(\\d+)/loader"));
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && isRunning()) {
        if (log.open(QIODevice::ReadOnly)) {
            log.seek(m_logOffset);
            const QRegularExpressionMatch match = listening.match(QString::fromUtf8(log.readAll()));
            log.close();
            if (match.hasMatch()) {
                m_port = quint16(match.captured(1).toUInt());
                return true;
            }
        }
        QTest::qWait(50);
    }
    return false;
}

bool StandinProcess::stop()
{
    // A pid of 0 would signal this whole process group.
    if (m_process.state() != QProcess::Running)
        return false;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    return m_process.waitForFinished(15000) && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void StandinProcess::killHard()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString StandinProcess::commandLine(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll().replace('\0', ' ')).trimmed();
}

bool StandinProcess::isGone(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray stat = file.readAll();
    const int close = stat.lastIndexOf(')');
    return close < 0 || stat.mid(close + 2, 1) == "Z";
}

QList<qint64> StandinProcess::ffmpegChildren() const
{
    QList<qint64> found;
    QList<qint64> parents{pid()};
    while (!parents.isEmpty()) {
        const qint64 parent = parents.takeFirst();
        QByteArray all;
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(parent));
        for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(tasks.filePath(task + QStringLiteral("/children")));
            if (children.open(QIODevice::ReadOnly))
                all += children.readAll() + ' ';
        }
        for (const QByteArray &child : all.split(' ')) {
            const qint64 id = child.trimmed().toLongLong();
            if (id <= 0)
                continue;
            parents.append(id);
            if (QFileInfo(commandLine(id).section(QLatin1Char(' '), 0, 0)).fileName() == QLatin1String("ffmpeg") && !isGone(id))
                found.append(id);
        }
    }
    return found;
}

QList<qint64> StandinProcess::archiveReaders() const
{
    QList<qint64> found;
    for (qint64 pid : ffmpegChildren()) {
        if (commandLine(pid).contains(" concat "))
            found.append(pid);
    }
    return found;
}
