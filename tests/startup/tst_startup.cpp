// The client binary in a fresh working folder, with the stand-in placed where
// the client starts its local server.
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool windowShown(const QString &title)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    xwininfo.waitForFinished(5000);
    return QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).contains(QLatin1Char('"') + title + QLatin1Char('"'));
}

bool processAlive(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

} // namespace

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath("server"));
        QFile::remove(m_dir.filePath("server/Kestrel"));
        QFile::remove(m_dir.filePath("server/localserver.log"));
        QVERIFY(QFile::copy(LYN_STANDIN_BINARY, m_dir.filePath("server/Kestrel")));
    }

    // A failed check must not leave the client or its server running.
    void cleanup()
    {
        if (m_client.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_client.processId()), SIGTERM);
            if (!m_client.waitForFinished(15000))
                m_client.kill();
            m_client.waitForFinished(5000);
        }
        const qint64 serverPid = standinPid();
        if (processAlive(serverPid))
            ::kill(static_cast<pid_t>(serverPid), SIGKILL);
    }

    void freshFolderGetsSettingsLogAndWindow()
    {
        start(freePort());
        // Poll with real sleeps: on this machine the event-loop waits of QTRY have been seen
        // to run through their 20 s budget in 2 s. Stop as soon as the client is gone.
        for (int i = 0; i < 200 && !windowShown("Video surveillance") && m_client.state() != QProcess::NotRunning; ++i) {
            QThread::msleep(100);
            QCoreApplication::processEvents();
        }
        QVERIFY2(m_client.state() != QProcess::NotRunning,
                 qPrintable(QStringLiteral("client ended early: exit status %1, code %2, log:\n%3")
                                .arg(m_client.exitStatus()).arg(m_client.exitCode()).arg(clientLog())));
        QVERIFY2(windowShown("Video surveillance"), qPrintable(QStringLiteral("no window; client log:\n%1").arg(clientLog())));

        QSettings conf(m_dir.filePath("main.conf"), QSettings::IniFormat);
        QCOMPARE(conf.allKeys().size(), 11);
        QCOMPARE(conf.value("Server/port").toString(), QStringLiteral("27014"));
        const QStringList logs = QDir(m_dir.filePath("logs")).entryList({"log_*.txt"}, QDir::Files);
        QCOMPARE(logs.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(readFile(m_dir.filePath("logs/" + logs.first())).contains("Is started...."), 5000);

        stop();
    }

    void connectsToTheServerItStartedAndStopsItOnSigterm()
    {
        const quint16 port = freePort();
        {
            QSettings conf(m_dir.filePath("main.conf"), QSettings::IniFormat);
            conf.setValue("Server/port", QString::number(port));
        }
        start(port);

        const QString serverLog = m_dir.filePath("server/localserver.log");
        QTRY_VERIFY_WITH_TIMEOUT(readFile(serverLog).contains("client connected 127.0.0.1:"), 15000);
        const qint64 serverPid = standinPid();
        QVERIFY(processAlive(serverPid));

        stop();
        QTRY_VERIFY_WITH_TIMEOUT(!processAlive(serverPid), 5000);
        QVERIFY(readFile(serverLog).contains("stopped, exit code 0"));

        // An existing file is not completed or rewritten.
        QSettings conf(m_dir.filePath("main.conf"), QSettings::IniFormat);
        QCOMPARE(conf.value("Server/port").toString(), QString::number(port));
    }

private:
    QString clientLog() const
    {
        const QStringList logs = QDir(m_dir.filePath("logs")).entryList({"log_*.txt"}, QDir::Files);
        return logs.isEmpty() ? QString() : readFile(m_dir.filePath("logs/" + logs.first())).right(4000);
    }

    qint64 standinPid() const
    {
        const QRegularExpression pidLine("pid (\\d+)");
        return pidLine.match(readFile(m_dir.filePath("server/localserver.log"))).captured(1).toLongLong();
    }

    void start(quint16 standinPort)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LYN_STANDIN_PORT", QString::number(standinPort));
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
        // Under AddressSanitizer the whole GUI process reports leaks of system
        // libraries (D-Bus, the loader) with stacks it cannot unwind; the client's
        // own objects are leak-checked by the in-process tests.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        // Mesa's software renderer races inside itself; only our own accesses are checked.
        env.insert("TSAN_OPTIONS", env.value("TSAN_OPTIONS") + ":ignore_noninstrumented_modules=1");
        m_client.setProcessEnvironment(env);
        m_client.setWorkingDirectory(m_dir.path());
        m_client.setProcessChannelMode(QProcess::ForwardedChannels);
        m_client.start(LYN_CLIENT_BINARY, QStringList());
        QVERIFY(m_client.waitForStarted(5000));
    }

    void stop()
    {
        ::kill(static_cast<pid_t>(m_client.processId()), SIGTERM);
        QVERIFY(m_client.waitForFinished(15000));
        QCOMPARE(m_client.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_client.exitCode(), 0);
    }

    QTemporaryDir m_dir;
    QProcess m_client;
};

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
