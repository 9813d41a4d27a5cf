// The settings screens in the started client, driven by clicks and keys against the stand-in
// local server and the web stand-in: general settings and a restart on them, the language
// switch, online access, the YouTube sign-in and the Telegram link.
#include "SettingsTestSupport.h"
#include "StandinProcess.h"
#include "StartupTestMain.h"
#include "UiTestSupport.h"
#include "WebStandinProcess.h"

#include "base/SettingsSimple.h"
#include "controllers/cloud/CloudEndpoints.h"
#include "nt_common/core/singleton/SpSingleton.h"
#include "shell/ClientStartup.h"

#include <QDir>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebSocket>
#include <QWebSocketServer>
#include <QtTest>

using namespace UiTestSupport;
using namespace SettingsTestSupport;

class TstSettingsScreens : public QObject
{
    Q_OBJECT
public:
    explicit TstSettingsScreens(LynClient::ClientStartup &startup)
        : m_startup(startup)
    {
    }

private slots:
    void initTestCase();
    void generalRefusesABadAddressAndARestartUsesTheNewPort();
    void languageSwitchesTheWholeInterfaceAndBack();
    void onlineAccessSignsInAndFetchesTheYoutubeTokens();
    void youtubeSignInLinksTheAccountAndUnlinkClearsIt();
    void youtubeFieldsReachTheServer();
    void telegramLinksByPhoneThenCode();
    void cleanupTestCase();

private:
    QString stored(const QString &table, const QString &field) const;
    QString settingsValue(const QString &group, const QString &key) const;
    void openSection(const QString &section, const QString &editor);
    // Opens a combo box by click and moves its choice with the arrow keys.
    void chooseByKeys(QQuickWindow *window, const QString &combo, Qt::Key key, int presses = 1);
    // The same, to the entry that shows the text.
    void choose(QQuickWindow *window, const QString &combo, const QString &entry);
    QString text(const QString &objectName) const { return shownText(item(m_window, objectName)); }
    static bool shown(QQuickWindow *window, const QString &objectName)
    {
        QQuickItem *found = item(window, objectName);
        return found && found->isVisible();
    }

    LynClient::ClientStartup &m_startup;
    StandinProcess m_server;
    WebStandinProcess m_web;
    QQuickWindow *m_window = nullptr;
};

QString TstSettingsScreens::stored(const QString &table, const QString &field) const
{
    return storedValue(QDir(m_server.folder()).filePath(QStringLiteral("localserver.db")), table, field).toString();
}

QString TstSettingsScreens::settingsValue(const QString &group, const QString &key) const
{
    return SpSingleton<LynClientBase::SettingsSimple>::sharedInstance()->value(group, key, QStringLiteral("<none>"));
}

void TstSettingsScreens::openSection(const QString &section, const QString &editor)
{
    QVERIFY(click(m_window, QStringLiteral("settingsSection_") + section));
    const QString save = editor + QStringLiteral("AcceptButton");
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, save) && item(m_window, save)->isVisible() && item(m_window, save)->width() > 0, 10000);
}

void TstSettingsScreens::chooseByKeys(QQuickWindow *window, const QString &combo, Qt::Key key, int presses)
{
    QQuickItem *box = item(window, combo);
    QVERIFY(box);
    QVERIFY(click(window, combo));
    QTRY_VERIFY(box->property("popup").value<QObject *>()->property("opened").toBool());
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(window, key);
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!box->property("popup").value<QObject *>()->property("visible").toBool());
}

void TstSettingsScreens::choose(QQuickWindow *window, const QString &combo, const QString &entry)
{
    QQuickItem *box = item(window, combo);
    QVERIFY(box);
    int target = -1;
    QVERIFY(QMetaObject::invokeMethod(box, "find", Q_RETURN_ARG(int, target), Q_ARG(QString, entry)));
    QVERIFY2(target >= 0, qPrintable(entry));
    const int steps = target - box->property("currentIndex").toInt();
    chooseByKeys(window, combo, steps < 0 ? Qt::Key_Up : Qt::Key_Down, qAbs(steps));
    QCOMPARE(box->property("currentIndex").toInt(), target);
}

void TstSettingsScreens::initTestCase()
{
    QVERIFY(m_web.start());
    QVERIFY(m_server.start());
    useLocalServer(m_server.port());
    LynClientController::CloudEndpoints::writeOverrides(*SpSingleton<LynClientBase::SettingsSimple>::sharedInstance(), m_web.baseUrl());
    m_window = openWindow(m_startup);
    QVERIFY(m_window);
    QTRY_COMPARE_WITH_TIMEOUT(text("connectionStateLabel"), QStringLiteral("Connected"), 20000);
    QVERIFY(click(m_window, "settingsTabButton"));
    // The page is created in the background, by its loader.
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "settingsPage") && item(m_window, "settingsPage")->parentItem()->property("status").toInt() == 1,
                             15000);
    QTRY_VERIFY(shown(m_window, "generalEditor"));
}

void TstSettingsScreens::generalRefusesABadAddressAndARestartUsesTheNewPort()
{
    QCOMPARE(shownText(item(m_window, "serverAddressField")), QStringLiteral("127.0.0.1"));
    QVERIFY(!shown(m_window, "serverAddressInvalidMark"));
    saveScreenshot(m_window, "settings_general");

    // An address that is neither a host nor an IP address is marked and not saved.
    QVERIFY(typeInto(m_window, "serverAddressField", "camera server!"));
    QTRY_VERIFY(shown(m_window, "serverAddressInvalidMark"));
    QVERIFY(shown(m_window, "serverAddressProblem"));
    saveScreenshot(m_window, "settings_general_bad_address");
    QVERIFY(click(m_window, "generalEditorAcceptButton"));
    QTRY_VERIFY(item(m_window, "generalEssentialsErrorDialogAcceptButton")
                && shown(m_window, "generalEssentialsErrorDialogAcceptButton"));
    QCOMPARE(settingsValue("Server", "ip"), QStringLiteral("127.0.0.1"));
    QVERIFY(click(m_window, "generalEssentialsErrorDialogAcceptButton"));
    QTRY_VERIFY(!shown(m_window, "generalEssentialsErrorDialogAcceptButton"));

    // Host names and IPv6 addresses pass.
    QVERIFY(typeInto(m_window, "serverAddressField", "nvr-1.home.lan"));
    QTRY_VERIFY(!shown(m_window, "serverAddressInvalidMark"));
    QVERIFY(typeInto(m_window, "serverAddressField", "fe80::1"));
    QTRY_VERIFY(!shown(m_window, "serverAddressInvalidMark"));

    const quint16 newPort = freePort();
    QVERIFY(newPort);
    QVERIFY(typeInto(m_window, "serverAddressField", "127.0.0.1"));
    QVERIFY(typeInto(m_window, "serverPortField", QString::number(newPort)));
    QVERIFY(typeInto(m_window, "serverPasswordField", "s3cret"));

    // "Open" browses from the video folder; "Up" and "Choose" take its parent, the working folder.
    const QString videoPath = text("videoPathField");
    QVERIFY(videoPath.startsWith(QDir::currentPath()));
    QVERIFY(click(m_window, "videoPathOpenButton"));
    QTRY_VERIFY(shown(m_window, "videoFolderUpButton"));
    QCOMPARE(text("videoFolderPath"), videoPath);
    saveScreenshot(m_window, "settings_general_video_folder");
    QVERIFY(click(m_window, "videoFolderUpButton"));
    QTRY_COMPARE(text("videoFolderPath"), QDir::currentPath());
    QVERIFY(click(m_window, "videoFolderDialogAcceptButton"));
    QTRY_VERIFY(!shown(m_window, "videoFolderUpButton"));
    QCOMPARE(text("videoPathField"), QDir::currentPath());

    QVERIFY(click(m_window, "generalEditorAcceptButton"));
    QTRY_VERIFY(shown(m_window, "generalSavedNote"));
    QCOMPARE(settingsValue("Server", "port"), QString::number(newPort));
    QCOMPARE(settingsValue("Server", "password"), QStringLiteral("s3cret"));
    QCOMPARE(settingsValue("other", "videoFilePath"), QDir::currentPath());
    SpSingleton<LynClientBase::SettingsSimple>::sharedInstance()->sync();

    // A client started on that main.conf connects to a server on the new port.
    QWebSocketServer server(QStringLiteral("restarted"), QWebSocketServer::NonSecureMode);
    QVERIFY(server.listen(QHostAddress::LocalHost, newPort));
    QSignalSpy connected(&server, &QWebSocketServer::newConnection);
    QTemporaryDir restartDir;
    QVERIFY(QFile::copy(QDir::current().filePath("main.conf"), QDir(restartDir.path()).filePath("main.conf")));
    QProcess client;
    client.setWorkingDirectory(restartDir.path());
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.setStandardOutputFile(QProcess::nullDevice());
    client.start(QStringLiteral(LYN_CLIENT_BINARY), QStringList());
    QVERIFY(client.waitForStarted(10000));
    QVERIFY(connected.count() || connected.wait(30000));
    QWebSocket *socket = server.nextPendingConnection();
    QVERIFY(socket);
    QCOMPARE(socket->requestUrl().port(), int(newPort));
    client.terminate();
    if (!client.waitForFinished(15000)) {
        client.kill();
        client.waitForFinished(5000);
    }

    // The window of this run keeps its server.
    QCOMPARE(text("connectionStateLabel"), QStringLiteral("Connected"));
}

void TstSettingsScreens::languageSwitchesTheWholeInterfaceAndBack()
{
    QCOMPARE(text("desktopTabButton"), QStringLiteral("Desktop"));
    chooseByKeys(m_window, "languageComboBox", Qt::Key_Down);
    QTRY_COMPARE(text("desktopTabButton"), QStringLiteral("Рабочий стол"));
    QCOMPARE(text("devicesTabButton"), QStringLiteral("Устройства"));
    QCOMPARE(text("archiveTabButton"), QStringLiteral("Архив"));
    QCOMPARE(text("settingsTabButton"), QStringLiteral("Настройки"));
    QCOMPARE(text("mainMenuBarItem"), QStringLiteral("Меню"));
    QCOMPARE(text("helpMenuBarItem"), QStringLiteral("Справка"));
    QCOMPARE(text("connectionStateLabel"), QStringLiteral("Подключено"));
    QCOMPARE(text("settingsSection_general"), QStringLiteral("Общие"));
    QCOMPARE(text("languageComboBox"), QStringLiteral("Русский"));
    QCOMPARE(settingsValue("other", "language"), QStringLiteral("ru"));
    // The choice of the other combo box survives the new texts.
    QCOMPARE(text("connectionTypeComboBox"), QStringLiteral("Напрямую"));
    saveScreenshot(m_window, "settings_general_russian");

    QVERIFY(click(m_window, "mainMenuBarItem"));
    QTRY_VERIFY(shown(m_window, "menuItemOnlineAccess"));
    QCOMPARE(text("menuItemOnlineAccess"), QStringLiteral("Онлайн-доступ"));
    saveScreenshot(m_window, "main_menu_russian");
    QVERIFY(click(m_window, "menuItemSettings"));
    QTRY_VERIFY(!shown(m_window, "menuItemOnlineAccess"));

    chooseByKeys(m_window, "languageComboBox", Qt::Key_Up);
    QTRY_COMPARE(text("desktopTabButton"), QStringLiteral("Desktop"));
    QCOMPARE(text("settingsTabButton"), QStringLiteral("Settings"));
    QCOMPARE(text("mainMenuBarItem"), QStringLiteral("Menu"));
    QCOMPARE(text("connectionStateLabel"), QStringLiteral("Connected"));
    QCOMPARE(text("settingsSection_general"), QStringLiteral("General"));
    QCOMPARE(settingsValue("other", "language"), QStringLiteral("en"));
}

void TstSettingsScreens::onlineAccessSignsInAndFetchesTheYoutubeTokens()
{
    QVERIFY(click(m_window, "mainMenuBarItem"));
    QTRY_VERIFY(shown(m_window, "menuItemOnlineAccess"));
    QVERIFY(click(m_window, "menuItemOnlineAccess"));
    QQuickWindow *window = nullptr;
    QTRY_VERIFY((window = topLevelWindow("onlineAccessWindow")) && window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(shown(window, "onlineAccessSignIn"));

    QVERIFY(typeInto(window, "onlineAccessEmailField", "demo@example.com"));
    QVERIFY(typeInto(window, "onlineAccessPasswordField", "not the password"));
    QCOMPARE(item(window, "onlineAccessPasswordField")->property("echoMode").toInt(), 2);
    QVERIFY(click(window, "onlineAccessLoginButton"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(window, "onlineAccessProblem"), 10000);
    QCOMPARE(shownText(item(window, "onlineAccessProblem")), QStringLiteral("The password is incorrect."));
    saveScreenshot(window, "online_access_wrong_password");
    QCOMPARE(stored("onlineAccessSettings", "authKey"), QString());
    QCOMPARE(m_web.count("/user/gettokens"), 0);

    // Unmasked, the password shows as typed.
    QVERIFY(click(window, "onlineAccessMaskPassword"));
    QTRY_COMPARE(item(window, "onlineAccessPasswordField")->property("echoMode").toInt(), 0);
    QVERIFY(typeInto(window, "onlineAccessPasswordField", "demo"));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(shown(window, "onlineAccessSignOut"), 15000);
    QVERIFY(shownText(item(window, "onlineAccessSignedInAs")).contains(QStringLiteral("demo@example.com")));
    QTRY_VERIFY(!stored("onlineAccessSettings", "authKey").isEmpty());
    QCOMPARE(stored("onlineAccessSettings", "login"), QStringLiteral("demo@example.com"));
    // The plain password is never stored.
    QVERIFY(!stored("onlineAccessSettings", "password").contains(QStringLiteral("demo")));

    // The account's YouTube tokens land in the YouTube record, and its channel with them.
    QTRY_VERIFY_WITH_TIMEOUT(!stored("youtubeSettings", "refresh_token").isEmpty(), 10000);
    QVERIFY(!stored("youtubeSettings", "access_token").isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(stored("youtubeSettings", "channelName"), QStringLiteral("Demo channel"), 10000);
    QCOMPARE(m_web.count("/user/gettokens"), 1);
    saveScreenshot(window, "online_access_signed_in");

    // Signing out forgets the key; the window goes back to sign-in.
    QVERIFY(click(window, "onlineAccessSignOutButton"));
    QTRY_VERIFY(shown(window, "onlineAccessSignIn"));
    QTRY_COMPARE(stored("onlineAccessSettings", "authKey"), QString());
    QVERIFY(click(window, "closeButton"));
    QTRY_VERIFY(!window->isVisible());
}

void TstSettingsScreens::youtubeSignInLinksTheAccountAndUnlinkClearsIt()
{
    openSection("youtube", "youTubeEditor");
    // Linked through online access before.
    QTRY_COMPARE_WITH_TIMEOUT(text("youtubeChannelName"), QStringLiteral("Demo channel"), 10000);
    QVERIFY(click(m_window, "youtubeUnlinkButton"));
    QTRY_VERIFY_WITH_TIMEOUT(stored("youtubeSettings", "refresh_token").isEmpty(), 10000);
    QCOMPARE(stored("youtubeSettings", "access_token"), QString());
    QCOMPARE(stored("youtubeSettings", "channelName"), QStringLiteral("Undefined channel"));
    QTRY_VERIFY(shown(m_window, "youtubeLinkButton"));
    QCOMPARE(text("youtubeChannelName"), QStringLiteral("No account is linked"));

    const int tokenRequests = m_web.count("/token");
    QVERIFY(click(m_window, "youtubeLinkButton"));
    QQuickWindow *frame = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((frame = topLevelWindow("oauthSignInFrame")) && frame->isVisible(), 10000);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(frame->title(), QStringLiteral("YouTube sign in"));
    QQuickItem *view = item(frame, "oauthWebView");
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(view->property("title").toString() == QLatin1String("Sign in")
                                 && !view->property("loading").toBool(), 30000);
    const QUrl page = view->property("url").toUrl();
    QCOMPARE(page.path(), QStringLiteral("/auth"));
    const QUrlQuery query(page);
    QCOMPARE(query.queryItemValue("response_type"), QStringLiteral("code"));
    QCOMPARE(query.queryItemValue("access_type"), QStringLiteral("offline"));
    QCOMPARE(query.queryItemValue("redirect_uri", QUrl::FullyDecoded), QStringLiteral("urn:ietf:wg:oauth:2.0:oob"));
    QVERIFY(query.queryItemValue("scope", QUrl::FullyDecoded).contains(QStringLiteral("youtube.readonly")));
    QVERIFY(!query.queryItemValue("client_id").isEmpty());
    saveScreenshot(frame, "youtube_sign_in");

    // The page's "Allow" button sits below its one paragraph.
    const QPoint allow = view->mapToScene(QPointF(45, 76)).toPoint();
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            if (view->property("title").toString().startsWith(QLatin1String("Success")) || !frame->isVisible())
                return true;
            QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, allow);
            return false;
        }(),
        20000);
    QTRY_VERIFY_WITH_TIMEOUT(!frame->isVisible(), 15000);
    QCOMPARE(m_web.count("/token"), tokenRequests + 1);
    const QJsonArray exchanges = m_web.received("/token");
    const QString body = exchanges.last().toObject().value("body").toString();
    QVERIFY2(body.contains(QStringLiteral("grant_type=authorization_code")), qPrintable(body));
    QVERIFY(body.contains(QStringLiteral("redirect_uri=urn")));

    QTRY_VERIFY_WITH_TIMEOUT(!stored("youtubeSettings", "refresh_token").isEmpty(), 10000);
    QVERIFY(!stored("youtubeSettings", "access_token").isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(text("youtubeChannelName"), QStringLiteral("Demo channel"), 10000);
    QCOMPARE(stored("youtubeSettings", "channelName"), QStringLiteral("Demo channel"));
    QVERIFY(shown(m_window, "youtubeUnlinkButton"));
}

void TstSettingsScreens::youtubeFieldsReachTheServer()
{
    QCOMPARE(stored("youtubeSettings", "privacyType"), QStringLiteral("1"));
    QVERIFY(click(m_window, "youtubeUploadEvents"));
    choose(m_window, "youtubePrivacyTypeComboBox", QStringLiteral("Private"));
    QCOMPARE(text("youtubePrivacyTypeComboBox"), QStringLiteral("Private"));
    QVERIFY(click(m_window, "youtubeStreamDevice"));
    QTRY_VERIFY(item(m_window, "youtubeDeviceComboBox")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "youtubeDeviceComboBox")->property("count").toInt() >= 4, 10000);
    choose(m_window, "youtubeDeviceComboBox", QStringLiteral("Garden"));
    const QString device = text("youtubeDeviceComboBox");
    QVERIFY(!device.isEmpty());
    QVERIFY(typeInto(m_window, "youtubeStreamKeyField", "abcd-efgh-ijkl"));
    saveScreenshot(m_window, "settings_youtube");

    QVERIFY(click(m_window, "youTubeEditorAcceptButton"));
    QTRY_COMPARE_WITH_TIMEOUT(stored("youtubeSettings", "privacyType"), QStringLiteral("3"), 10000);
    QCOMPARE(stored("youtubeSettings", "isUploadEvents"), QStringLiteral("1"));
    QCOMPARE(stored("youtubeSettings", "isStreamDeviceOnYoutube"), QStringLiteral("1"));
    QCOMPARE(stored("youtubeSettings", "streamKey"), QStringLiteral("abcd-efgh-ijkl"));
    const QString deviceId = stored("youtubeSettings", "rstIDStreamDevice");
    QVERIFY(deviceId.toInt() > 0);
    // The stored device is the one chosen by name.
    const QString path = QDir(m_server.folder()).filePath(QStringLiteral("localserver.db"));
    QCOMPARE(storedValue(path, QStringLiteral("cam"), QStringLiteral("deviceName"), deviceId.toLongLong()).toString(), device);

    // A key with a path separator is refused before it reaches the server.
    QVERIFY(typeInto(m_window, "youtubeStreamKeyField", "../../etc"));
    QVERIFY(click(m_window, "youTubeEditorAcceptButton"));
    QTRY_VERIFY(item(m_window, "youTubeEssentialsErrorDialogAcceptButton")
                && shown(m_window, "youTubeEssentialsErrorDialogAcceptButton"));
    QVERIFY(click(m_window, "youTubeEssentialsErrorDialogAcceptButton"));
    QCOMPARE(stored("youtubeSettings", "streamKey"), QStringLiteral("abcd-efgh-ijkl"));
}

void TstSettingsScreens::telegramLinksByPhoneThenCode()
{
    openSection("telegram", "telegramEditor");
    QVERIFY(!shown(m_window, "telegramSentCode"));
    saveScreenshot(m_window, "settings_telegram");
    QVERIFY(typeInto(m_window, "telegramPhoneField", "+7 900 123 45 67"));
    QVERIFY(click(m_window, "telegramSendCodeButton"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(m_window, "telegramSentCode"), 10000);
    QCOMPARE(stored("telegramSettings", "phone"), QStringLiteral("+7 900 123 45 67"));
    const QRegularExpressionMatch code = QRegularExpression(QStringLiteral("(\\d{4,})$")).match(text("telegramSentCode"));
    QVERIFY2(code.hasMatch(), qPrintable(text("telegramSentCode")));
    saveScreenshot(m_window, "settings_telegram_code");

    // A wrong code is refused and the form stays waiting for the right one.
    QVERIFY(typeInto(m_window, "telegramCodeField", "1"));
    QVERIFY(click(m_window, "telegramConfirmButton"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(m_window, "telegramProblem"), 10000);
    QVERIFY(!shown(m_window, "telegramLinkedState"));
    QCOMPARE(stored("telegramSettings", "isLink"), QStringLiteral("0"));

    QVERIFY(typeInto(m_window, "telegramCodeField", code.captured(1)));
    QVERIFY(click(m_window, "telegramConfirmButton"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(m_window, "telegramLinkedState"), 10000);
    QVERIFY(!shown(m_window, "telegramProblem"));
    QTRY_COMPARE(stored("telegramSettings", "isLink"), QStringLiteral("1"));
    QCOMPARE(stored("telegramSettings", "enabled"), QStringLiteral("1"));

    QVERIFY(typeInto(m_window, "telegramGroupNameField", "Home alerts"));
    QVERIFY(click(m_window, "telegramEditorAcceptButton"));
    QTRY_COMPARE_WITH_TIMEOUT(stored("telegramSettings", "groupName"), QStringLiteral("Home alerts"), 10000);
    saveScreenshot(m_window, "settings_telegram_linked");
}

void TstSettingsScreens::cleanupTestCase()
{
    if (m_server.isRunning())
        m_server.stop();
}

int main(int argc, char *argv[])
{
    return runInStartedClient<TstSettingsScreens>(argc, argv);
}

#include "tst_settings_screens.moc"
