// The main window loaded by the application's own start-up code against the stand-in
// local server, driven with mouse events as a user would.
#include "StartupTestMain.h"
#include "UiTestSupport.h"

#include "client_base/controller/peers/PeersManagerController.h"
#include "shell/ClientStartup.h"

#include <QDir>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QTcpServer>
#include <QtTest>

using namespace UiTestSupport;

class TstMainWindow : public QObject
{
    Q_OBJECT
public:
    explicit TstMainWindow(LynClient::ClientStartup &startup)
        : m_startup(startup)
    {
    }

private slots:
    void initTestCase();
    void showsConnectedAgainstTheServer();
    void tabsSwitchPagesByClick();
    void menuEntriesSwitchTabs();
    void aboutOpensAndCloses();
    void windowButtonsMinimiseMaximiseRestore();
    void draggingTheTitleBarMovesTheWindow();
    void footerFollowsTheServer();
    void closingAsksTheServerToShutDown();
    void cleanupTestCase();

private:
    bool startServer(const QString &logName);
    QString serverLog() const;
    int currentTab() const;
    bool pageShown(const QString &page) const;

    LynClient::ClientStartup &m_startup;
    QProcess m_server;
    quint16 m_port = 0;
    QString m_logPath;
    QQuickWindow *m_window = nullptr;
};

bool TstMainWindow::startServer(const QString &logName)
{
    m_logPath = QDir::current().filePath(logName);
    m_server.setWorkingDirectory(QDir::currentPath());
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.start(LYN_STANDIN_BINARY, {"--port", QString::number(m_port), "--log", m_logPath});
    if (!m_server.waitForStarted(5000))
        return false;
    // The stand-in writes its first line once it listens.
    return QTest::qWaitFor([this] { return QFileInfo(m_logPath).size() > 0; }, 5000);
}

QString TstMainWindow::serverLog() const
{
    QFile file(m_logPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int TstMainWindow::currentTab() const
{
    return item(m_window, "mainTabBar")->property("currentIndex").toInt();
}

bool TstMainWindow::pageShown(const QString &page) const
{
    QQuickItem *found = item(m_window, page);
    return found && found->isVisible();
}

void TstMainWindow::initTestCase()
{
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        m_port = probe.serverPort();
    }
    QVERIFY(startServer(QStringLiteral("localserver-1.log")));
    useLocalServer(m_port);
    m_window = openWindow(m_startup);
    QVERIFY(m_window);
    QVERIFY(m_window->flags() & Qt::FramelessWindowHint);
}

void TstMainWindow::showsConnectedAgainstTheServer()
{
    QQuickItem *label = item(m_window, "connectionStateLabel");
    QVERIFY(label);
    QTRY_COMPARE_WITH_TIMEOUT(label->property("text").toString(), QStringLiteral("Connected"), 15000);
    QVERIFY(pageShown("desktopPage"));
    saveScreenshot(m_window, "main_window_desktop");
    // The one controller that answers the P2P server's open-port requests lives with the window.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->findChildren<P2pClientController::PeersManagerController *>().size(), 1, 5000);
}

void TstMainWindow::tabsSwitchPagesByClick()
{
    const QStringList buttons = {"devicesTabButton", "archiveTabButton", "settingsTabButton", "desktopTabButton"};
    const QStringList pages = {"devicesPage", "archivePage", "settingsPage", "desktopPage"};
    const QList<int> indexes = {1, 2, 3, 0};
    for (int i = 0; i < buttons.size(); ++i) {
        QVERIFY(click(m_window, buttons[i]));
        QTRY_COMPARE(currentTab(), indexes[i]);
        // Pages are created on first show, in the background.
        QTRY_VERIFY2(pageShown(pages[i]), qPrintable(pages[i]));
        for (const QString &other : pages) {
            if (other != pages[i])
                QVERIFY2(!pageShown(other), qPrintable(other));
        }
        if (pages[i] == QLatin1String("devicesPage"))
            saveScreenshot(m_window, "main_window_devices_tab");
    }
}

void TstMainWindow::menuEntriesSwitchTabs()
{
    const QList<QPair<QString, int>> entries = {
        {"menuItemArchive", 2}, {"menuItemSettings", 3}, {"menuItemDevices", 1},
        {"menuItemEvents", 0}, {"menuItemArchive", 2}, {"menuItemTileGrid", 0},
        {"menuItemDevices", 1}, {"menuItemDesktop", 0}};
    for (const auto &entry : entries) {
        QVERIFY(click(m_window, "mainMenuBarItem"));
        QTRY_VERIFY(item(m_window, entry.first) && item(m_window, entry.first)->isVisible());
        if (entry.first == QLatin1String("menuItemArchive") && currentTab() == 0)
            saveScreenshot(m_window, "main_window_menu_open");
        QVERIFY(click(m_window, entry.first));
        QTRY_COMPARE(currentTab(), entry.second);
        QTRY_VERIFY(!item(m_window, entry.first)->isVisible());
    }
}

void TstMainWindow::aboutOpensAndCloses()
{
    QVERIFY(click(m_window, "helpMenuBarItem"));
    QTRY_VERIFY(item(m_window, "menuItemAbout") && item(m_window, "menuItemAbout")->isVisible());
    QVERIFY(click(m_window, "menuItemAbout"));
    QTRY_VERIFY(item(m_window, "aboutDialogAcceptButton") && item(m_window, "aboutDialogAcceptButton")->isVisible());
    QVERIFY(shownText(item(m_window, "aboutDialogText")).contains(QStringLiteral("Built on")));
    saveScreenshot(m_window, "main_window_about");
    QVERIFY(click(m_window, "aboutDialogAcceptButton"));
    QTRY_VERIFY(!item(m_window, "aboutDialogAcceptButton")->isVisible());
}

void TstMainWindow::windowButtonsMinimiseMaximiseRestore()
{
    const QRect normal = m_window->geometry();
    const QRect screen = m_window->screen()->availableGeometry();
    QVERIFY(normal.width() < screen.width());
    QVERIFY(click(m_window, "maximizeButton"));
    QTRY_COMPARE(m_window->geometry(), screen);
    // The footer sits on the new bottom edge once the scene has been laid out again.
    QQuickItem *footer = item(m_window, "footer");
    QTRY_COMPARE(qRound(footer->mapToScene(QPointF(0, footer->height())).y()), screen.height());
    QTRY_COMPARE(m_window->grabWindow().size(), screen.size());
    saveScreenshot(m_window, "main_window_maximized");
    // A maximised window stays where it is when its title bar is dragged.
    QQuickItem *titleBar = item(m_window, "titleBar");
    const QPoint grip = titleBar->mapToScene(QPointF(titleBar->width() * 0.6, titleBar->height() / 2)).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(m_window, grip + QPoint(30, 30));
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 30));
    QCOMPARE(m_window->geometry(), screen);

    QVERIFY(click(m_window, "maximizeButton"));
    QTRY_COMPARE(m_window->geometry(), normal);

    QVERIFY(click(m_window, "minimizeButton"));
    QTRY_COMPARE(m_window->visibility(), QWindow::Minimized);
    // The user brings it back from the task bar.
    m_window->showNormal();
    QTRY_COMPARE(m_window->visibility(), QWindow::Windowed);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TstMainWindow::draggingTheTitleBarMovesTheWindow()
{
    QQuickItem *titleBar = item(m_window, "titleBar");
    QVERIFY(titleBar);
    const QPoint before = m_window->position();
    // A point on the bar between the menu and the window buttons.
    const QPoint grip = titleBar->mapToScene(QPointF(titleBar->width() * 0.6, titleBar->height() / 2)).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(m_window, grip + QPoint(40, 30));
    QTRY_COMPARE(m_window->position(), before + QPoint(40, 30));
    // The window followed the pointer, so the pointer is over the grip point again.
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, grip);
    QCOMPARE(m_window->position(), before + QPoint(40, 30));
}

void TstMainWindow::footerFollowsTheServer()
{
    QQuickItem *label = item(m_window, "connectionStateLabel");
    QCOMPARE(label->property("text").toString(), QStringLiteral("Connected"));
    m_server.kill();
    QVERIFY(m_server.waitForFinished(5000));
    QTRY_COMPARE_WITH_TIMEOUT(label->property("text").toString(), QStringLiteral("Disconnected"), 15000);
    saveScreenshot(m_window, "main_window_disconnected");

    // The link keeps trying; a server back on the same port is found again.
    QVERIFY(startServer(QStringLiteral("localserver-2.log")));
    QTRY_COMPARE_WITH_TIMEOUT(label->property("text").toString(), QStringLiteral("Connected"), 30000);
}

void TstMainWindow::closingAsksTheServerToShutDown()
{
    QVERIFY(!serverLog().contains(QStringLiteral("trShutdownServer")));
    QVERIFY(click(m_window, "closeButton"));
    QTRY_VERIFY_WITH_TIMEOUT(serverLog().contains(QStringLiteral("trShutdownServer")), 10000);
    QTRY_VERIFY(!m_window->isVisible());
    // The stand-in quits on that request.
    QTRY_COMPARE_WITH_TIMEOUT(m_server.state(), QProcess::NotRunning, 10000);
}

void TstMainWindow::cleanupTestCase()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

int main(int argc, char *argv[])
{
    return runInStartedClient<TstMainWindow>(argc, argv);
}

#include "tst_main_window.moc"
