#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>

namespace Standin {

// Linking the messenger account of "telegramSettings": writing a new phone
// sends a code to that account ("srCode"), writing the code back links it
// ("srLinked"). The stand-in has no messenger, so "srCode" carries the code
// as "demoCode".
class TelegramLink
{
public:
    enum class Step { None, SendCode, Link };

    // Checks a trAdd/trUpdate against the stored record before it is stored;
    // may add fields to it. False with a reason when it must be refused.
    bool review(QJsonObject *request, const QJsonObject &stored, Step *step, QString *reason);
    // The notification after the stored change, or an empty object.
    QJsonObject afterChange(Step step, const QJsonObject &request, qint64 rowId);

private:
    QHash<qint64, QString> m_pending; // rowID -> code waiting for confirmation
};

} // namespace Standin
