#include "controllers/cloud/CloudResult.h"

#include <QNetworkReply>

#include <spdlog/spdlog.h>

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

void logFailure(const char *controller, const QNetworkReply &reply)
{
    // The error text names the whole URL, tokens included: only the path goes to the log.
    if (auto log = spdlog::get("main"))
        log->warn("{}: request to '{}' failed, network error {}", controller, reply.url().path().toStdString(), int(reply.error()));
}

} // namespace CloudResult
} // namespace LynClientController
