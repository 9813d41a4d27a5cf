#include "controllers/cloud/MainSiteApiController.h"

#include "controllers/cloud/CloudEndpoints.h"
#include "controllers/cloud/CloudResult.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaMethod>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <stdexcept>

namespace LynClientController {

namespace {

const QString kAuthenticationPath = QStringLiteral("/user/authentication");
const QString kTokensPath = QStringLiteral("/user/gettokens");
const QString kKeyAuthSignal = QStringLiteral("saKeyAuth");

// The service reports field errors as {"email": [...], "password": [...]};
// the e-mail's list wins, and an e-mail entry of another shape hides the password's.
QString fieldErrors(const QJsonObject &message)
{
    QJsonArray list;
    const QJsonValue email = message.value(QStringLiteral("email"));
    const QJsonValue password = message.value(QStringLiteral("password"));
    if (message.contains(QStringLiteral("email"))) {
        if (email.isArray())
            list = email.toArray();
    } else if (password.isArray()) {
        list = password.toArray();
    }
    QStringList texts;
    for (const QJsonValue &entry : qAsConst(list))
        texts << entry.toVariant().toString();
    return texts.join(QStringLiteral(", "));
}

} // namespace

MainSiteApiController::MainSiteApiController(QObject *parent)
    : ControllerDesktopBase(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_baseUrl(CloudEndpoints::current().accountApiUrl)
{
    m_controllerName = QStringLiteral("mainSiteApi");
}

void MainSiteApiController::keyAuthRequest(QJsonObject mapParams)
{
    const QByteArray digest = QCryptographicHash::hash(mapParams.value(QStringLiteral("password")).toString().toUtf8(),
                                                       QCryptographicHash::Sha1)
                                  .toHex();
    const QJsonObject body{
        {QStringLiteral("email"), mapParams.value(QStringLiteral("email"))},
        {QStringLiteral("password"), QString::fromLatin1(digest)},
    };
    post(kAuthenticationPath, body, mapParams, kKeyAuthSignal);
}

void MainSiteApiController::youtubeTokensRequest(QJsonObject mapParams)
{
    const QJsonObject body{{QStringLiteral("auth_key"), mapParams.value(QStringLiteral("auth_key"))}};
    post(kTokensPath, body, mapParams, QStringLiteral("saYoutubeTokensRequest"));
}

void MainSiteApiController::createAccountRequest()
{
}

void MainSiteApiController::setYoutubeTokensRequest(QJsonObject)
{
}

void MainSiteApiController::post(const QString &path, const QJsonObject &body, const QJsonObject &mapParams, const QString &signalName)
{
    QNetworkRequest request(QUrl(QStringLiteral("%1%2").arg(m_baseUrl, path)));
    request.setRawHeader("Content-type", "application/json; charset=utf-8");
    QNetworkReply *reply = m_manager->post(request, QJsonDocument(body).toJson());
    connect(
        reply, &QNetworkReply::finished, this, [this, reply, mapParams, signalName] { handleReply(reply, mapParams, signalName); },
        Qt::DirectConnection);
}

void MainSiteApiController::handleReply(QNetworkReply *reply, const QJsonObject &mapParams, const QString &signalName)
{
    reply->deleteLater();
    CloudResult::guarded([&] {
        if (reply->error() != QNetworkReply::NoError) {
            CloudResult::logFailure("mainSiteApi", *reply, CloudResult::networkReason(*reply));
            emitByName(signalName, CloudResult::networkFailure(mapParams, *reply));
            return;
        }
        const QJsonDocument document = QJsonDocument::fromJson(reply->readAll());
        QJsonObject result = CloudResult::passThrough(mapParams);
        if (!document.isObject()) {
            CloudResult::logFailure("mainSiteApi", *reply, QStringLiteral("the answer is not a JSON object"));
            result.insert(QStringLiteral("status"), false);
            result.insert(QStringLiteral("errorMessage"), tr("Site respond with failed format"));
        } else {
            const QJsonObject answer = document.object();
            const bool status = answer.value(QStringLiteral("status")).toBool(false);
            result.insert(QStringLiteral("result"), answer);
            result.insert(QStringLiteral("status"), status);
            if (signalName == kKeyAuthSignal && !status && answer.contains(QStringLiteral("message")))
                result.insert(QStringLiteral("errorMessage"), fieldErrors(answer.value(QStringLiteral("message")).toObject()));
        }
        emitByName(signalName, result);
    });
}

void MainSiteApiController::emitByName(const QString &signalName, const QJsonObject &result)
{
    const QByteArray signature = QMetaObject::normalizedSignature(QStringLiteral("%1(QJsonObject)").arg(signalName).toLatin1());
    const int index = metaObject()->indexOfSignal(signature.constData());
    if (index < 0)
        throw std::runtime_error("No signal " + signature.toStdString());
    metaObject()->method(index).invoke(this, Qt::DirectConnection, Q_ARG(QJsonObject, result));
}

} // namespace LynClientController
