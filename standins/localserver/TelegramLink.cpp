#include "TelegramLink.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace Standin {

bool TelegramLink::review(QJsonObject *request, const QJsonObject &stored, Step *step, QString *reason)
{
    *step = Step::None;
    const qint64 rowId = stored.value("rowID").toVariant().toLongLong();
    const QString phone = request->value("phone").toString();
    static const QRegularExpression phoneNumber(QStringLiteral("^\\+?[0-9 ()-]{0,24}$"));
    if (!phoneNumber.match(phone).hasMatch()) {
        *reason = QStringLiteral("'phone' must be a phone number");
        return false;
    }
    // A form saved again repeats the code it was linked with; only a new code counts.
    const QString code = request->value("code").toString();
    if (!code.isEmpty() && code != stored.value("code").toString()) {
        if (!m_pending.contains(rowId) || m_pending.value(rowId) != code) {
            *reason = QStringLiteral("Wrong confirmation code");
            return false;
        }
        request->insert("isLink", true);
        request->insert("enabled", true);
        *step = Step::Link;
        return true;
    }
    if (!phone.isEmpty() && (phone != stored.value("phone").toString() || !stored.value("isLink").toBool())) {
        request->insert("isLink", false);
        *step = Step::SendCode;
    }
    return true;
}

QJsonObject TelegramLink::afterChange(Step step, const QJsonObject &request, qint64 rowId)
{
    if (step == Step::Link) {
        m_pending.remove(rowId);
        return {{"ctl", "telegramSettings"}, {"action", "srLinked"}, {"rowID", rowId}, {"status", "OK"}};
    }
    if (step != Step::SendCode)
        return {};
    const QString code = QString::number(QRandomGenerator::global()->bounded(10000, 100000));
    m_pending.insert(rowId, code);
    return {{"ctl", "telegramSettings"}, {"action", "srCode"}, {"rowID", rowId}, {"phone", request.value("phone").toString()},
            {"demoCode", code}};
}

} // namespace Standin
