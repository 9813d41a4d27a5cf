#include "base/MessageEnvelope.h"

#include <QJsonDocument>

#include <atomic>

namespace LynClientBase {

QString MessageEnvelope::nextObjectNumber()
{
    static std::atomic<qulonglong> counter{0};
    return QString::number(++counter);
}

QJsonObject MessageEnvelope::wrap(const QJsonObject &mapParams, const QString &ctl, const QString &action,
                                  const QString &receiver)
{
    QJsonObject message = mapParams;
    message.insert(QStringLiteral("ctl"), ctl);
    message.insert(QStringLiteral("action"), action);
    message.insert(QStringLiteral("_receiver"), receiver);
    return message;
}

QString MessageEnvelope::toText(const QJsonObject &message)
{
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Indented));
}

} // namespace LynClientBase
