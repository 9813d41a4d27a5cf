// The start-up code of the application, in process, with the window loaded only
// after the server link has come up: the window must still connect.
#include "StartupTestMain.h"
#include "base/LynClientNetworkQMLBaseSimple.h"
#include "base/SettingsSimple.h"
#include "nt_common/core/singleton/SpSingleton.h"
#include "shell/ClientStartup.h"

#include <QDir>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QTcpServer>
#include <QtTest>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TstStartupRace : public QObject
{
    Q_OBJECT
public:
    explicit TstStartupRace(LynClient::ClientStartup &startup)
        : m_startup(startup)
    {
    }

private slots:
    void initTestCase()
    {
        const quint16 port = freePort();
        m_server.setWorkingDirectory(QDir::currentPath());
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(LYN_STANDIN_BINARY, {"--port", QString::number(port)});
        QVERIFY(m_server.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile(QDir::current().filePath("localserver.log")).size() > 0, 5000);
        auto *settings = SpSingleton<LynClientBase::SettingsSimple>::sharedInstance().data();
        settings->setValue("Server", "ip", "127.0.0.1");
        settings->setValue("Server", "port", QString::number(port));
    }

    void windowLoadedAfterTheLinkCameUpStillConnects()
    {
        // Let the link thread announce itself, and that announcement reach the
        // facade, while no window listens yet.
        auto *net = SpSingleton<LynClientBase::LynClientNetworkQMLBaseSimple>::sharedInstance().data();
        QTRY_VERIFY_WITH_TIMEOUT(net->isInited(), 10000);
        QCoreApplication::processEvents();

        QVERIFY(m_startup.loadWindow());
        QObject *label = m_startup.engine()->rootObjects().first()->findChild<QObject *>("connectionStateLabel");
        QVERIFY(label);
        QTRY_COMPARE_WITH_TIMEOUT(label->property("text").toString(), QStringLiteral("Connected"), 15000);
        QCOMPARE(net->amountConnected(), 1);
    }

    void cleanupTestCase()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }

private:
    LynClient::ClientStartup &m_startup;
    QProcess m_server;
};

int main(int argc, char *argv[])
{
    return runInStartedClient<TstStartupRace>(argc, argv);
}

#include "tst_startup_race.moc"
