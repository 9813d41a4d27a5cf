// The channel list with token refresh, synchronous for QML, against the web stand-in.
#include "LogCapture.h"
#include "WebStandinProcess.h"

#include "base/SettingsSimple.h"
#include "controllers/LynTypes.h"
#include "controllers/cloud/CloudEndpoints.h"
#include "controllers/cloud/YoutubeApiController.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QJsonDocument>
#include <QNetworkReply>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using LynClientController::CloudEndpoints;
using LynClientController::YoutubeApiController;

class TestYoutubeApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void expiredTokenIsRefreshedOnce();
    void rejectedRefreshUsesEveryTry_data();
    void rejectedRefreshUsesEveryTry();
    void unusableListAnswers_data();
    void unusableListAnswers();
    void refreshOnItsOwn();
    void refreshRetriesOnlyWhenAsked_data();
    void refreshRetriesOnlyWhenAsked();
    void qmlCallerStaysResponsive();
    void tokensStayOutOfTheLog();

private:
    // A new account on the stand-in: {access_token, refresh_token}.
    QJsonObject newAccount(const QString &channelTitle = QStringLiteral("My channel"));
    QJsonObject listParams(const QJsonObject &account, const QJsonValue &requestId) const;

    QTemporaryDir m_dir;
    WebStandinProcess m_standin;
    int m_accounts = 0;
};

namespace {

QString channelTitle(const QJsonObject &result)
{
    return result.value("result").toObject().value("items").toArray().at(0).toObject().value("snippet").toObject().value("title").toString();
}

QString accessTokenOf(const QJsonObject &channelRequest)
{
    return QUrlQuery(QUrl(channelRequest.value("target").toString()).query()).queryItemValue("access_token");
}

void pointCloudAt(const QString &baseUrl)
{
    CloudEndpoints::writeOverrides(*SpSingleton<LynClientBase::SettingsSimple>::sharedInstance(), baseUrl);
}

} // namespace

void TestYoutubeApi::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_standin.start());
    SpSingleton<LynClientBase::SettingsSimple>::instance(m_dir.filePath(QStringLiteral("main.conf")), QSettings::IniFormat);
    pointCloudAt(m_standin.baseUrl());
    LynClientController::registerLynTypes();
}

void TestYoutubeApi::init()
{
    m_standin.reset();
}

QJsonObject TestYoutubeApi::newAccount(const QString &channelTitle)
{
    const QJsonObject account = m_standin.addAccount(QStringLiteral("yt%1@example.com").arg(++m_accounts), QStringLiteral("pw"), channelTitle);
    m_standin.reset();
    return account;
}

QJsonObject TestYoutubeApi::listParams(const QJsonObject &account, const QJsonValue &requestId) const
{
    return QJsonObject{
        {"access_token", account.value("access_token")},
        {"refresh_token", account.value("refresh_token")},
        {"part", "snippet"},
        {"_requestId", requestId},
    };
}

void TestYoutubeApi::expiredTokenIsRefreshedOnce()
{
    const QJsonObject account = newAccount(QStringLiteral("Porch"));
    m_standin.expire(account.value("access_token").toString());
    YoutubeApiController controller;
    const QJsonObject result = controller.channelListRequest(listParams(account, 9));

    QCOMPARE(result.value("status").toBool(), true);
    QCOMPARE(result.value("_requestId").toInt(), 9);
    QCOMPARE(channelTitle(result), QStringLiteral("Porch"));
    QCOMPARE(m_standin.count("/channels"), 2);
    QCOMPARE(m_standin.count("/token"), 1);
    QCOMPARE(m_standin.totalCount(), 3);

    const QJsonArray lists = m_standin.received("/channels");
    QCOMPARE(accessTokenOf(lists.at(0).toObject()), account.value("access_token").toString());
    const QString fresh = accessTokenOf(lists.at(1).toObject());
    QVERIFY(!fresh.isEmpty());
    QVERIFY(fresh != account.value("access_token").toString());

    const QJsonObject refresh = m_standin.received("/token").at(0).toObject();
    QCOMPARE(refresh.value("headers").toObject().value("Content-Type").toString(), QStringLiteral("application/x-www-form-urlencoded"));
    const QString body = refresh.value("body").toString();
    static const QRegularExpression form(QStringLiteral("^client_id=([0-9]+-[0-9a-z]+\\.apps\\.googleusercontent\\.com)"
                                                        "&client_secret=([^&]{24})&refresh_token=([0-9a-f]+)&grant_type=refresh_token$"));
    const QRegularExpressionMatch match = form.match(body);
    QVERIFY2(match.hasMatch(), qPrintable(body));
    QCOMPARE(match.captured(1).size(), 72);
    QCOMPARE(match.captured(3), account.value("refresh_token").toString());
}

void TestYoutubeApi::rejectedRefreshUsesEveryTry_data()
{
    QTest::addColumn<int>("amountTry"); // 0: the default
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("refreshes");
    QTest::newRow("default") << 0 << 5 << 4;
    QTest::newRow("one try") << 1 << 1 << 0;
}

void TestYoutubeApi::rejectedRefreshUsesEveryTry()
{
    QFETCH(int, amountTry);
    QFETCH(int, lists);
    QFETCH(int, refreshes);
    const QJsonObject account = newAccount();
    m_standin.expire(account.value("access_token").toString());
    QJsonObject params = listParams(account, 4);
    params.insert("refresh_token", QStringLiteral("revoked"));

    YoutubeApiController controller;
    const QJsonObject result = amountTry ? controller.channelListRequest(params, amountTry) : controller.channelListRequest(params);
    QCOMPARE(result.value("status").toBool(true), false);
    QCOMPARE(result.value("_requestId").toInt(), 4);
    // The expired token's 401 is a network failure of the list request.
    QCOMPARE(result.value("result").toObject(), (QJsonObject{{"code", int(QNetworkReply::AuthenticationRequiredError)}}));
    QVERIFY(result.value("errorMessage").toString().startsWith(QStringLiteral("Netowrk error code '204', description: '")));
    QCOMPARE(m_standin.count("/channels"), lists);
    QCOMPARE(m_standin.count("/token"), refreshes);
}

void TestYoutubeApi::unusableListAnswers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("errorMessage");
    QTest::addColumn<bool>("hasResult");
    QTest::newRow("error object") << QByteArray(R"({"error": {"code": 403, "message": "The request cannot be completed.", "errors": []}})")
                                  << QByteArray("application/json") << QStringLiteral("Youtube API response contains error") << true;
    QTest::newRow("error beside items") << QByteArray(R"({"items": [], "error": null})") << QByteArray("application/json")
                                        << QStringLiteral("Youtube API response contains error") << true;
    QTest::newRow("html") << QByteArray("<html>quota</html>") << QByteArray("text/html") << QStringLiteral("Youtube respond with failed format") << false;
}

void TestYoutubeApi::unusableListAnswers()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, type);
    QFETCH(QString, errorMessage);
    QFETCH(bool, hasResult);
    const QJsonObject account = newAccount();
    m_standin.answer("/channels", 200, body, type);

    YoutubeApiController controller;
    const QJsonObject result = controller.channelListSimpleRequest(listParams(account, 6));
    QCOMPARE(result.value("status").toBool(true), false);
    QCOMPARE(result.value("_requestId").toInt(), 6);
    QCOMPARE(result.value("errorMessage").toString(), errorMessage);
    QCOMPARE(result.contains("result"), hasResult);
    if (hasResult)
        QCOMPARE(result.value("result").toObject(), QJsonDocument::fromJson(body).object());
    QCOMPARE(m_standin.totalCount(), 1);

    // The chain retries such an answer like any failure: five lists, four refreshes
    // (each refresh succeeds, so four lists with a fresh token in between).
    m_standin.reset();
    m_standin.answer("/channels", 200, body, type);
    const QJsonObject chained = controller.channelListRequest(listParams(account, 7));
    QCOMPARE(chained.value("errorMessage").toString(), errorMessage);
    QCOMPARE(chained.value("_requestId").toInt(), 7);
    QCOMPARE(m_standin.count("/channels"), 9);
    QCOMPARE(m_standin.count("/token"), 4);
}

void TestYoutubeApi::refreshOnItsOwn()
{
    const QJsonObject account = newAccount(QStringLiteral("Shed"));
    YoutubeApiController controller;
    const QJsonObject refreshParams{
        {"client_id", "id-from-qml"},
        {"client_secret", "secret-from-qml"},
        {"refresh_token", account.value("refresh_token")},
        {"_requestId", 11},
    };
    const QJsonObject refreshed = controller.refreshAccessTokenRequest(refreshParams);
    QCOMPARE(refreshed.value("status").toBool(), true);
    QCOMPARE(refreshed.value("_requestId").toInt(), 11);
    const QString fresh = refreshed.value("result").toObject().value("access_token").toString();
    QVERIFY(!fresh.isEmpty());
    QCOMPARE(m_standin.received("/token").at(0).toObject().value("body").toString(),
             QStringLiteral("client_id=id-from-qml&client_secret=secret-from-qml&refresh_token=%1&grant_type=refresh_token")
                 .arg(account.value("refresh_token").toString()));

    const QJsonObject listed = controller.channelListSimpleRequest(
        {{"access_token", fresh}, {"part", "snippet"}, {"_requestId", 12}});
    QCOMPARE(channelTitle(listed), QStringLiteral("Shed"));
    QCOMPARE(listed.value("_requestId").toInt(), 12);

    m_standin.answer("/token", 200, "access_token=x", "text/plain");
    const QJsonObject garbled = controller.refreshAccessTokenRequest(refreshParams);
    QCOMPARE(garbled.value("status").toBool(true), false);
    QCOMPARE(garbled.value("_requestId").toInt(), 11);
    QCOMPARE(garbled.value("errorMessage").toString(), QStringLiteral("Youtube respond with failed format"));
}

void TestYoutubeApi::refreshRetriesOnlyWhenAsked_data()
{
    QTest::addColumn<int>("amountTry"); // 0: the default
    QTest::addColumn<int>("requests");
    QTest::newRow("default") << 0 << 1;
    QTest::newRow("three tries") << 3 << 3;
}

void TestYoutubeApi::refreshRetriesOnlyWhenAsked()
{
    QFETCH(int, amountTry);
    QFETCH(int, requests);
    m_standin.answer("/token", 503, R"({"error": "backend_error"})");
    YoutubeApiController controller;
    const QJsonObject params{{"refresh_token", "r"}, {"_requestId", 13}};
    const QJsonObject result = amountTry ? controller.refreshAccessTokenRequest(params, amountTry) : controller.refreshAccessTokenRequest(params);
    QCOMPARE(result.value("status").toBool(true), false);
    QCOMPARE(result.value("_requestId").toInt(), 13);
    QCOMPARE(result.value("result").toObject(), (QJsonObject{{"code", int(QNetworkReply::ServiceUnavailableError)}}));
    QCOMPARE(m_standin.count("/token"), requests);
}

void TestYoutubeApi::qmlCallerStaysResponsive()
{
    const QJsonObject account = newAccount(QStringLiteral("Slow channel"));
    m_standin.expire(account.value("access_token").toString());
    m_standin.stall("/channels", 600);

    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(R"(
        import QtQml 2.15
        import LYN 1.0
        QtObject {
            id: root
            property int ticks: 0
            property int ticksDuringCall: -1
            property var result: ({})
            property Timer timer: Timer { interval: 20; repeat: true; running: true; onTriggered: root.ticks++ }
            property YoutubeApiController api: YoutubeApiController {}
            function listChannels(accessToken, refreshToken) {
                var before = ticks
                result = api.channelListRequest({"access_token": accessToken, "refresh_token": refreshToken,
                                                 "part": "snippet", "_requestId": "qml"})
                ticksDuringCall = ticks - before
            }
        })",
                      QUrl());
    std::unique_ptr<QObject> root(component.create());
    QVERIFY2(root, qPrintable(component.errorString()));

    QVERIFY(QMetaObject::invokeMethod(root.get(), "listChannels", Q_ARG(QVariant, account.value("access_token").toString()),
                                      Q_ARG(QVariant, account.value("refresh_token").toString())));
    // Two stalled list requests of 600 ms: a blocked GUI thread would leave the timer at rest.
    const int ticks = root->property("ticksDuringCall").toInt();
    QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
    const QJsonObject result = QJsonObject::fromVariantMap(root->property("result").toMap());
    QCOMPARE(result.value("status").toBool(), true);
    QCOMPARE(result.value("_requestId").toString(), QStringLiteral("qml"));
    QCOMPARE(channelTitle(result), QStringLiteral("Slow channel"));
    QCOMPARE(m_standin.count("/channels"), 2);
    QCOMPARE(m_standin.count("/token"), 1);
}

void TestYoutubeApi::tokensStayOutOfTheLog()
{
    LogCapture log;
    const QJsonObject account = newAccount();
    m_standin.expire(account.value("access_token").toString());
    QJsonObject params = listParams(account, 1);
    params.insert("refresh_token", QStringLiteral("revokedrefreshtoken"));
    YoutubeApiController controller;
    QCOMPARE(controller.channelListRequest(params, 2).value("status").toBool(true), false);

    QVERIFY2(log.contains("'/channels' failed, network error 204"), qPrintable(log.text()));
    QVERIFY2(log.contains("'/token' failed, network error 302"), qPrintable(log.text()));
    QVERIFY(!log.contains(account.value("access_token").toString()));
    QVERIFY(!log.contains("revokedrefreshtoken"));
}

QTEST_MAIN(TestYoutubeApi)
#include "tst_cloud_youtube_api.moc"
