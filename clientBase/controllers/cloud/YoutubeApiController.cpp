#include "controllers/cloud/YoutubeApiController.h"

#include "controllers/cloud/CloudResult.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

#include <memory>
#include <stdexcept>

namespace LynClientController {

namespace {

const int kDefaultListTries = 5;

struct ReplyDeleter
{
    void operator()(QNetworkReply *reply) const { reply->deleteLater(); }
};
using ReplyHolder = std::unique_ptr<QNetworkReply, ReplyDeleter>;

QJsonDocument parsedBody(QNetworkReply &reply)
{
    return QJsonDocument::fromJson(reply.readAll());
}

// Runs a local event loop until the reply has finished; throws when the reply
// was destroyed meanwhile (its manager went with the controller).
void waitFor(ReplyHolder &reply)
{
    QPointer<QNetworkReply> alive(reply.get());
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (!alive) {
        reply.release();
        throw std::runtime_error("The reply was destroyed while waiting for it.");
    }
}

} // namespace

YoutubeApiController::YoutubeApiController(QObject *parent)
    : ControllerDesktopBase(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_endpoints(CloudEndpoints::current())
{
    m_controllerName = QStringLiteral("youtubeApi");
}

void YoutubeApiController::markFailedFormat(QJsonObject &result, const QNetworkReply &reply)
{
    CloudResult::logFailure("youtubeApi", reply, QStringLiteral("the answer is not a JSON object"));
    result.insert(QStringLiteral("status"), false);
    result.insert(QStringLiteral("errorMessage"), tr("Youtube respond with failed format"));
}

QJsonObject YoutubeApiController::channelListSimpleRequest(QJsonObject mapParams)
{
    QJsonObject result = CloudResult::passThrough(mapParams);
    CloudResult::guarded([&] {
        // Substituted in one pass, so a "%1" inside a token stays as it is.
        const QString path = QStringLiteral("/channels?access_token=%1&part=%2&mine=%3")
                                 .arg(mapParams.value(QStringLiteral("access_token")).toString(),
                                      mapParams.value(QStringLiteral("part")).toString(), QStringLiteral("true"));
        ReplyHolder reply(m_manager->get(QNetworkRequest(QUrl(QStringLiteral("%1%2").arg(m_endpoints.youtubeApiUrl, path)))));
        waitFor(reply);
        if (reply->error() != QNetworkReply::NoError) {
            CloudResult::logFailure("youtubeApi", *reply, CloudResult::networkReason(*reply));
            result = CloudResult::networkFailure(mapParams, *reply);
            return;
        }
        const QJsonDocument document = parsedBody(*reply);
        if (document.isObject()) {
            const QJsonObject answer = document.object();
            result.insert(QStringLiteral("result"), answer);
            const bool failed = answer.contains(QStringLiteral("error"));
            result.insert(QStringLiteral("status"), !failed);
            if (failed) {
                CloudResult::logFailure("youtubeApi", *reply, QStringLiteral("the answer holds an error"));
                result.insert(QStringLiteral("errorMessage"), tr("Youtube API response contains error"));
            }
        } else {
            markFailedFormat(result, *reply);
        }
    });
    return result;
}

QJsonObject YoutubeApiController::channelListRequest(QJsonObject mapParams, int amountTry)
{
    const QJsonObject listed = channelListSimpleRequest(mapParams);
    if (listed.value(QStringLiteral("status")).toBool() || amountTry < 2)
        return listed;

    const QJsonObject refreshParams{
        {QStringLiteral("refresh_token"), mapParams.value(QStringLiteral("refresh_token"))},
        {QStringLiteral("client_id"), m_endpoints.clientId},
        {QStringLiteral("client_secret"), m_endpoints.clientSecret},
    };
    const QJsonObject refreshed = refreshAccessTokenRequest(refreshParams, 1);
    if (!refreshed.value(QStringLiteral("status")).toBool())
        return channelListRequest(mapParams, amountTry - 1);

    QJsonObject freshParams = CloudResult::passThrough(mapParams);
    freshParams.insert(QStringLiteral("access_token"),
                       refreshed.value(QStringLiteral("result")).toObject().value(QStringLiteral("access_token")));
    freshParams.insert(QStringLiteral("part"), mapParams.value(QStringLiteral("part")));
    const QJsonObject relisted = channelListSimpleRequest(freshParams);
    if (relisted.value(QStringLiteral("status")).toBool())
        return relisted;
    return channelListRequest(mapParams, amountTry - 1);
}

QJsonObject YoutubeApiController::channelListRequest(QJsonObject mapParams)
{
    return channelListRequest(mapParams, kDefaultListTries);
}

QJsonObject YoutubeApiController::refreshAccessTokenRequest(QJsonObject mapParams, int amountTry)
{
    QJsonObject result;
    CloudResult::guarded([&] {
        // The endpoint gets the values exactly as given, without percent-encoding.
        const QString body = QStringLiteral("client_id=%1&client_secret=%2&refresh_token=%3&grant_type=refresh_token")
                                 .arg(mapParams.value(QStringLiteral("client_id")).toString(),
                                      mapParams.value(QStringLiteral("client_secret")).toString(),
                                      mapParams.value(QStringLiteral("refresh_token")).toString());
        QNetworkRequest request{QUrl(tokenUrl())};
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
        ReplyHolder reply(m_manager->post(request, body.toUtf8()));
        waitFor(reply);
        if (reply->error() != QNetworkReply::NoError) {
            CloudResult::logFailure("youtubeApi", *reply, CloudResult::networkReason(*reply));
            if (amountTry < 2) {
                result = CloudResult::networkFailure(mapParams, *reply);
                return;
            }
            reply.reset();
            result = refreshAccessTokenRequest(mapParams, amountTry - 1);
            return;
        }
        result = CloudResult::passThrough(mapParams);
        const QJsonDocument document = parsedBody(*reply);
        if (document.isObject()) {
            result.insert(QStringLiteral("status"), true);
            result.insert(QStringLiteral("result"), document.object());
        } else {
            markFailedFormat(result, *reply);
        }
    });
    return result;
}

QJsonObject YoutubeApiController::refreshAccessTokenRequest(QJsonObject mapParams)
{
    return refreshAccessTokenRequest(mapParams, 1);
}

QString YoutubeApiController::authorizationUrl() const
{
    return m_endpoints.oauthAuthorizationUrl;
}

QString YoutubeApiController::tokenUrl() const
{
    return QStringLiteral("%1%2").arg(m_endpoints.oauthUrl, QStringLiteral("/token"));
}

QString YoutubeApiController::clientId() const
{
    return m_endpoints.clientId;
}

QString YoutubeApiController::clientSecret() const
{
    return m_endpoints.clientSecret;
}

} // namespace LynClientController
