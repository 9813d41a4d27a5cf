#include "TelegramLink.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace Standin {

bool TelegramLink::review(QJsonObject *request, QString *reason)
{
    const qint64 rowId = request->value("rowID").toVariant().toLongLong();
    if (request->contains("code") && !request->value("code").toString().isEmpty()) {
        const QString code = request->value("code").toString();
        if (!m_pending.contains(rowId) || m_pending.value(rowId) != code) {
            *reason = QStringLiteral("Wrong confirmation code");
            return false;
        }
        request->insert("isLink", true);
        request->insert("enabled", true);
        return true;
    }
    if (request->contains("phone") && request->value("phone").isString()) {
        static const QRegularExpression phone(QStringLiteral("^\\+?[0-9 ()-]{0,24}$"));
        if (!phone.match(request->value("phone").toString()).hasMatch()) {
            *reason = QStringLiteral("'phone' must be a phone number");
            return false;
        }
        if (!request->value("phone").toString().isEmpty())
            request->insert("isLink", false);
    }
    return true;
}

QJsonObject TelegramLink::afterChange(const QJsonObject &request, qint64 rowId)
{
    if (request.value("isLink").toBool() && m_pending.contains(rowId)) {
        m_pending.remove(rowId);
        return {{"ctl", "telegramSettings"}, {"action", "srLinked"}, {"rowID", rowId}, {"status", "OK"}};
    }
    const QString phone = request.value("phone").toString();
    if (phone.isEmpty() || request.value("isLink").toBool())
        return {};
    const QString code = QString::number(QRandomGenerator::global()->bounded(10000, 100000));
    m_pending.insert(rowId, code);
    return {{"ctl", "telegramSettings"}, {"action", "srCode"}, {"rowID", rowId}, {"phone", phone}, {"demoCode", code}};
}

} // namespace Standin
