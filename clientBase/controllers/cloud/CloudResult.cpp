#include "controllers/cloud/CloudResult.h"

#include <QDebug>
#include <QNetworkReply>

#include <spdlog/spdlog.h>

#include <exception>

namespace LynClientController {
namespace CloudResult {

QJsonObject passThrough(const QJsonObject &mapParams)
{
    QJsonObject result;
    for (auto it = mapParams.begin(); it != mapParams.end(); ++it) {
        if (it.key().startsWith(QLatin1Char('_')))
            result.insert(it.key(), it.value());
    }
    return result;
}

QJsonObject networkFailure(const QJsonObject &mapParams, const QNetworkReply &reply)
{
    QJsonObject result = passThrough(mapParams);
    result.insert(QStringLiteral("status"), false);
    result.insert(QStringLiteral("result"), QJsonObject{{QStringLiteral("code"), int(reply.error())}});
    result.insert(QStringLiteral("errorMessage"),
                  QStringLiteral("Netowrk error code '%1', description: '%2'").arg(int(reply.error())).arg(reply.errorString()));
    return result;
}

void logFailure(const char *controller, const QNetworkReply &reply, const QString &reason)
{
    if (auto log = spdlog::get("main"))
        log->warn("{}: request to '{}' failed, {}", controller, reply.url().path().toStdString(), reason.toStdString());
}

QString networkReason(const QNetworkReply &reply)
{
    return QStringLiteral("network error %1").arg(int(reply.error()));
}

void guarded(const std::function<void()> &handling)
{
    try {
        handling();
    } catch (const std::exception &e) {
        qDebug() << e.what();
    } catch (...) {
        qDebug() << "Unknown exception.";
    }
}

} // namespace CloudResult
} // namespace LynClientController
