// Answers of the account service and the video API, as a local HTTP server
// sends them: any status and body gives one result object with the caller's
// "_" keys and a boolean "status", and never a crash.
#include "FuzzSupport.h"
#include "base/SettingsSimple.h"
#include "controllers/cloud/CloudEndpoints.h"
#include "controllers/cloud/MainSiteApiController.h"
#include "controllers/cloud/YoutubeApiController.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <fuzzer/FuzzedDataProvider.h>

using namespace LynClientController;

namespace {

// Answers every request with the status and body set for the current run.
class AnswerServer : public QTcpServer
{
public:
    int status = 200;
    QByteArray body;

    AnswerServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                serve(socket);
        });
    }

private:
    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_requests[socket];
            request += socket->readAll();
            const int headerEnd = request.indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            int length = 0;
            for (const QByteArray &line : request.left(headerEnd).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toInt();
            }
            if (request.size() < headerEnd + 4 + length)
                return;
            m_requests.remove(socket);
            socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/json\r\nContent-Length: "
                          + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }

    QHash<QTcpSocket *, QByteArray> m_requests;
};

struct Cloud
{
    AnswerServer server;
    MainSiteApiController *site = nullptr;
    YoutubeApiController *youtube = nullptr;
    Cloud()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            FuzzSupport::fail("no port for the answer server");
        auto *settings = SpSingleton<LynClientBase::SettingsSimple>::instance(FuzzSupport::workFolder() + QStringLiteral("/main.conf"),
                                                                            QSettings::IniFormat);
        CloudEndpoints::writeOverrides(*settings, QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()));
        site = new MainSiteApiController;
        youtube = new YoutubeApiController;
    }
};

const QJsonObject kCaller{{QStringLiteral("_fuzz"), 7}, {QStringLiteral("auth_key"), QStringLiteral("k")},
                          {QStringLiteral("access_token"), QStringLiteral("a")}, {QStringLiteral("part"), QStringLiteral("snippet")},
                          {QStringLiteral("refresh_token"), QStringLiteral("r")}};

template <class Signal>
QJsonObject answerOf(MainSiteApiController *site, Signal signal, void (MainSiteApiController::*request)(QJsonObject))
{
    QJsonObject result;
    bool answered = false;
    QEventLoop loop;
    const auto connection = QObject::connect(site, signal, &loop, [&](QJsonObject r) {
        result = r;
        answered = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    (site->*request)(kCaller);
    if (!answered)
        loop.exec();
    QObject::disconnect(connection);
    if (!answered)
        FuzzSupport::fail("no answer within 10 s");
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Cloud cloud;
    static const int statuses[] = {200, 201, 204, 400, 401, 403, 404, 500, 503};
    FuzzedDataProvider input(data, size);
    const int call = input.ConsumeIntegralInRange(0, 3);
    cloud.server.status = input.PickValueInArray(statuses);
    cloud.server.body = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    QJsonObject result;
    switch (call) {
    case 0:
        result = answerOf(cloud.site, &MainSiteApiController::saKeyAuth, &MainSiteApiController::keyAuthRequest);
        break;
    case 1:
        result = answerOf(cloud.site, &MainSiteApiController::saYoutubeTokensRequest, &MainSiteApiController::youtubeTokensRequest);
        break;
    case 2:
        result = cloud.youtube->channelListSimpleRequest(kCaller);
        break;
    default:
        result = cloud.youtube->refreshAccessTokenRequest(kCaller, 1);
        break;
    }
    if (result.value(QStringLiteral("_fuzz")).toInt() != 7)
        FuzzSupport::fail("the caller's keys are missing from the result");
    if (!result.value(QStringLiteral("status")).isBool())
        FuzzSupport::fail("the result has no boolean status");
    if (result.value(QStringLiteral("status")).toBool() && !result.value(QStringLiteral("result")).isObject())
        FuzzSupport::fail("a good result without the answer");
    return 0;
}
