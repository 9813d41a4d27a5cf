// The account service controller against the web stand-in over real HTTP.
#include "LogCapture.h"
#include "WebStandinProcess.h"

#include "base/SettingsSimple.h"
#include "controllers/cloud/CloudEndpoints.h"
#include "controllers/cloud/MainSiteApiController.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

using LynClientController::CloudEndpoints;
using LynClientController::MainSiteApiController;

class TestMainSiteApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void authenticationSendsOnlyTheDigest_data();
    void authenticationSendsOnlyTheDigest();
    void refusedKeyGivesTheWholeAnswer();
    void authenticationErrorMessages_data();
    void authenticationErrorMessages();
    void unusableAnswers_data();
    void unusableAnswers();
    void refusedPortIsANetworkError();
    void overlappingRequestsKeepTheirKeys();

private:
    QJsonObject awaitResult(QSignalSpy &spy);
    void pointCloudAt(const QString &baseUrl);

    QTemporaryDir m_dir;
    WebStandinProcess m_standin;
    int m_accounts = 0;
};

namespace {

const int kAnswerTimeoutMs = 10000;
const QString kAbsent = QStringLiteral("<absent>");

QString sha1Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

void TestMainSiteApi::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_standin.start());
    SpSingleton<LynClientBase::SettingsSimple>::instance(m_dir.filePath(QStringLiteral("main.conf")), QSettings::IniFormat);
    QVERIFY(m_standin.addAccount("known@example.com", QStringLiteral("right"), QStringLiteral("Channel")).value("status").toBool());
    pointCloudAt(m_standin.baseUrl());
}

void TestMainSiteApi::init()
{
    m_standin.reset();
}

void TestMainSiteApi::pointCloudAt(const QString &baseUrl)
{
    CloudEndpoints::writeOverrides(*SpSingleton<LynClientBase::SettingsSimple>::sharedInstance(), baseUrl);
    QCOMPARE(CloudEndpoints::current().accountApiUrl, baseUrl);
}

QJsonObject TestMainSiteApi::awaitResult(QSignalSpy &spy)
{
    if (!spy.count() && !spy.wait(kAnswerTimeoutMs))
        return QJsonObject{{"timedOut", true}};
    return spy.takeFirst().at(0).toJsonObject();
}

void TestMainSiteApi::authenticationSendsOnlyTheDigest_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("empty") << QString();
    QTest::newRow("non-ascii") << QStringLiteral("пароль с пробелами ✓ & = %");
    QTest::newRow("long") << QString(500, QLatin1Char('x')) + QStringLiteral("tail");
}

void TestMainSiteApi::authenticationSendsOnlyTheDigest()
{
    QFETCH(QString, password);
    const QString email = QStringLiteral("user%1@example.com").arg(++m_accounts);
    const QJsonObject account = m_standin.addAccount(email, password, QStringLiteral("Channel"));
    QVERIFY(account.value("status").toBool());
    m_standin.reset();

    MainSiteApiController controller;
    QCOMPARE(controller.controllerName(), QStringLiteral("mainSiteApi"));
    QSignalSpy answers(&controller, &MainSiteApiController::saKeyAuth);
    controller.keyAuthRequest({{"email", email}, {"password", password}, {"_requestId", 41}});
    const QJsonObject result = awaitResult(answers);

    // The stand-in accepts only the digest it stored, so success proves the digest.
    QCOMPARE(result.value("status").toBool(), true);
    QCOMPARE(result.value("_requestId").toInt(), 41);
    QCOMPARE(result.value("result").toObject().value("auth_key").toString(), account.value("auth_key").toString());
    QVERIFY(!result.contains("email"));
    QVERIFY(!result.contains("password"));
    QVERIFY(!result.contains("errorMessage"));
    QCOMPARE(m_standin.count("/user/authentication"), 1);

    const QJsonArray received = m_standin.received(QString());
    QCOMPARE(received.size(), 1);
    const QJsonObject request = received.at(0).toObject();
    QCOMPARE(request.value("method").toString(), QStringLiteral("POST"));
    QCOMPARE(request.value("headers").toObject().value("Content-type").toString(), QStringLiteral("application/json; charset=utf-8"));
    const QString body = request.value("body").toString();
    const QJsonObject sent = QJsonDocument::fromJson(body.toUtf8()).object();
    QCOMPARE(sent.keys(), (QStringList{"email", "password"}));
    QCOMPARE(sent.value("email").toString(), email);
    const QString digest = sent.value("password").toString();
    QCOMPARE(digest, sha1Hex(password));

    if (!password.isEmpty()) {
        const QString everything = QString::fromUtf8(QJsonDocument(received).toJson());
        QVERIFY(!everything.contains(password));
        QVERIFY(!everything.contains(QString::fromLatin1(QUrl::toPercentEncoding(password))));
    }
}

// The key that gives the tokens is the settings screen test's; a refused key is
// passed through whole, the field-message rule being authentication's alone.
// Account creation and storing tokens have no exchange: they send and signal nothing.
void TestMainSiteApi::refusedKeyGivesTheWholeAnswer()
{
    MainSiteApiController controller;
    QSignalSpy tokens(&controller, &MainSiteApiController::saYoutubeTokensRequest);
    QSignalSpy created(&controller, &MainSiteApiController::saCreateAccount);
    QSignalSpy stored(&controller, &MainSiteApiController::saSetYoutubeTokens);
    controller.createAccountRequest();
    controller.setYoutubeTokensRequest({{"access_token", "a"}});
    controller.youtubeTokensRequest({{"auth_key", "unknown"}, {"_requestId", 2}});
    const QJsonObject refused = awaitResult(tokens);
    QCOMPARE(refused.value("status").toBool(), false);
    QCOMPARE(refused.value("_requestId").toInt(), 2);
    QVERIFY(refused.value("result").toObject().contains("message"));
    QVERIFY(!refused.contains("errorMessage"));
    const QJsonObject sent =
        QJsonDocument::fromJson(m_standin.received("/user/gettokens").at(0).toObject().value("body").toString().toUtf8()).object();
    QCOMPARE(sent, (QJsonObject{{"auth_key", "unknown"}}));
    QCOMPARE(m_standin.totalCount(), 1);
    QCOMPARE(created.count() + stored.count(), 0);
}

void TestMainSiteApi::authenticationErrorMessages_data()
{
    QTest::addColumn<QByteArray>("canned"); // empty: the stand-in's own answer
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("errorMessage");

    const QString known = QStringLiteral("known@example.com");
    QTest::newRow("unknown e-mail") << QByteArray() << QStringLiteral("nobody@example.com") << QStringLiteral("pw")
                                    << QStringLiteral("No account uses this email.");
    QTest::newRow("two e-mail messages win over password")
        << QByteArray(R"({"status": false, "message": {"email": ["First.", "Second."], "password": ["Hidden."]}})") << known
        << QStringLiteral("pw") << QStringLiteral("First., Second.");
    QTest::newRow("password messages alone") << QByteArray(R"({"status": false, "message": {"password": ["Too short.", "Too plain."]}})")
                                             << known << QStringLiteral("pw") << QStringLiteral("Too short., Too plain.");
    QTest::newRow("e-mail not a list hides password")
        << QByteArray(R"({"status": false, "message": {"email": "bad", "password": ["Hidden."]}})") << known << QStringLiteral("pw")
        << QString();
    QTest::newRow("status not a bool") << QByteArray(R"({"status": "true", "message": {"email": ["Odd."]}})") << known
                                       << QStringLiteral("pw") << QStringLiteral("Odd.");
    QTest::newRow("no message") << QByteArray(R"({"status": false})") << known << QStringLiteral("pw") << kAbsent;
}

void TestMainSiteApi::authenticationErrorMessages()
{
    QFETCH(QByteArray, canned);
    QFETCH(QString, email);
    QFETCH(QString, password);
    QFETCH(QString, errorMessage);
    if (!canned.isEmpty())
        m_standin.answer("/user/authentication", 200, canned);

    MainSiteApiController controller;
    QSignalSpy answers(&controller, &MainSiteApiController::saKeyAuth);
    controller.keyAuthRequest({{"email", email}, {"password", password}, {"_requestId", 5}});
    const QJsonObject result = awaitResult(answers);

    QCOMPARE(result.value("status").toBool(true), false);
    QCOMPARE(result.value("_requestId").toInt(), 5);
    QVERIFY(result.value("result").isObject());
    if (!canned.isEmpty())
        QCOMPARE(result.value("result").toObject(), QJsonDocument::fromJson(canned).object());
    if (errorMessage == kAbsent)
        QVERIFY(!result.contains("errorMessage"));
    else
        QCOMPARE(result.value("errorMessage").toString(kAbsent), errorMessage);
    QCOMPARE(m_standin.count("/user/authentication"), 1);
}

void TestMainSiteApi::unusableAnswers_data()
{
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<int>("networkError"); // 0: a readable answer of the wrong format

    QTest::newRow("html") << 200 << QByteArray("<html><body>Maintenance</body></html>") << QByteArray("text/html") << 0;
    QTest::newRow("empty body") << 200 << QByteArray() << QByteArray("application/json") << 0;
    QTest::newRow("json list") << 200 << QByteArray("[{\"status\": true}]") << QByteArray("application/json") << 0;
    QTest::newRow("truncated json") << 200 << QByteArray("{\"status\": tr") << QByteArray("application/json") << 0;
    QTest::newRow("http 500") << 500 << QByteArray("{\"status\": true}") << QByteArray("application/json")
                              << int(QNetworkReply::InternalServerError);
}

void TestMainSiteApi::unusableAnswers()
{
    QFETCH(int, httpStatus);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, type);
    QFETCH(int, networkError);
    LogCapture log;
    m_standin.answer("/user/authentication", httpStatus, body, type);
    m_standin.answer("/user/gettokens", httpStatus, body, type);

    MainSiteApiController controller;
    QSignalSpy keys(&controller, &MainSiteApiController::saKeyAuth);
    QSignalSpy tokens(&controller, &MainSiteApiController::saYoutubeTokensRequest);
    controller.keyAuthRequest({{"email", "a@example.com"}, {"_requestId", 1}});
    controller.youtubeTokensRequest({{"auth_key", "k"}, {"_requestId", 2}});

    for (QSignalSpy *spy : {&keys, &tokens}) {
        const QJsonObject result = awaitResult(*spy);
        QCOMPARE(result.value("status").toBool(true), false);
        QCOMPARE(result.value("_requestId").toInt(), spy == &keys ? 1 : 2);
        if (networkError) {
            QCOMPARE(result.value("result").toObject(), (QJsonObject{{"code", networkError}}));
            QVERIFY2(result.value("errorMessage").toString().startsWith(
                         QStringLiteral("Netowrk error code '%1', description: '").arg(networkError)),
                     qPrintable(result.value("errorMessage").toString()));
        } else {
            QVERIFY(!result.contains("result"));
            QCOMPARE(result.value("errorMessage").toString(), QStringLiteral("Site respond with failed format"));
        }
    }
    QCOMPARE(m_standin.totalCount(), 2);
    const QString reason = networkError ? QStringLiteral("network error %1").arg(networkError) : QStringLiteral("the answer is not a JSON object");
    for (const QString path : {"/user/authentication", "/user/gettokens"})
        QVERIFY2(log.contains(QStringLiteral("mainSiteApi: request to '%1' failed, %2").arg(path, reason)), qPrintable(log.text()));
}

void TestMainSiteApi::refusedPortIsANetworkError()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = probe.serverPort();
    probe.close();
    pointCloudAt(QStringLiteral("http://127.0.0.1:%1").arg(closedPort));
    MainSiteApiController controller;
    pointCloudAt(m_standin.baseUrl());

    QSignalSpy answers(&controller, &MainSiteApiController::saKeyAuth);
    controller.keyAuthRequest({{"email", "a@example.com"}, {"password", "pw"},
                               {"_requestId", 3}});
    const QJsonObject result = awaitResult(answers);
    QCOMPARE(result.value("status").toBool(true), false);
    QCOMPARE(result.value("_requestId").toInt(), 3);
    QCOMPARE(result.value("result").toObject(), (QJsonObject{{"code", int(QNetworkReply::ConnectionRefusedError)}}));
    QCOMPARE(result.value("errorMessage").toString(), QStringLiteral("Netowrk error code '1', description: 'Connection refused'"));
    QCOMPARE(m_standin.totalCount(), 0);
}

void TestMainSiteApi::overlappingRequestsKeepTheirKeys()
{
    const QString email = QStringLiteral("overlap%1@example.com").arg(++m_accounts);
    m_standin.addAccount(email, QStringLiteral("right"), QStringLiteral("Channel"));
    m_standin.stall("/user/authentication", 300);

    MainSiteApiController controller;
    QSignalSpy answers(&controller, &MainSiteApiController::saKeyAuth);
    controller.keyAuthRequest({{"email", email}, {"password", "right"}, {"_requestId", 1}});
    controller.keyAuthRequest({{"email", email}, {"password", "wrong"}, {"_requestId", 2}});
    QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 2, kAnswerTimeoutMs);

    QMap<int, bool> statusById;
    for (const QList<QVariant> &args : qAsConst(answers)) {
        const QJsonObject result = args.at(0).toJsonObject();
        statusById.insert(result.value("_requestId").toInt(), result.value("status").toBool());
    }
    QCOMPARE(statusById, (QMap<int, bool>{{1, true}, {2, false}}));
    QCOMPARE(m_standin.count("/user/authentication"), 2);
}

QTEST_GUILESS_MAIN(TestMainSiteApi)
#include "tst_cloud_main_site_api.moc"
