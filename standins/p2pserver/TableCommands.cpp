#include "TableCommands.h"

#include <QJsonArray>

#include <cmath>

namespace Standin {

namespace {
constexpr int kSuccess = 10;
constexpr int kFailure = 0;
constexpr int kInfoGone = 110;
constexpr int kUpdateGone = 130;
const QString kFnPrefix = QStringLiteral("peersManager_");
} // namespace

TableCommands::TableCommands(const QString &databasePath, Send broadcast)
    : m_table(databasePath)
    , m_broadcast(std::move(broadcast))
{
}

bool TableCommands::isOpen() const
{
    return m_table.isOpen();
}

bool TableCommands::handles(const QString &action)
{
    static const QStringList actions = {"trGetList", "trInfo", "trNew", "trUpdate", "trRemove", "trDuplicate", "trLock", "trUnlock"};
    return actions.contains(action);
}

void TableCommands::handle(const QString &action, const QJsonObject &message, const QString &sign, const Send &reply)
{
    const QString answerAction = QStringLiteral("sa") + action.mid(2);
    if (action == QLatin1String("trGetList")) {
        getList(message, reply);
        return;
    }
    if (action == QLatin1String("trNew")) {
        for (const QString &field : StreamTable::kEditableFields) {
            if (message.contains(field) && !message.value(field).isString()) {
                reply(failure(message, answerAction, QStringLiteral("'%1' must be text").arg(field)));
                return;
            }
        }
        const QString id = m_table.insert(message.value("name").toString(), message.value("description").toString());
        if (id.isEmpty()) {
            reply(failure(message, answerAction, QStringLiteral("The record could not be stored")));
            return;
        }
        reply(answer(message, answerAction, kSuccess, {{"id", id}}));
        notify(QStringLiteral("srInserted"), id);
        return;
    }

    const QString id = idOf(message);
    if (id.isEmpty()) {
        reply(failure(message, answerAction, QStringLiteral("'id' is missing or not a text or whole number")));
        return;
    }
    const QJsonObject record = m_table.record(id);
    if (action == QLatin1String("trInfo")) {
        if (record.isEmpty())
            reply(failure(message, answerAction, QStringLiteral("No record '%1'").arg(id), kInfoGone));
        else
            reply(answer(message, answerAction, kSuccess, {{"id", id}, {"record", record}}));
    } else if (action == QLatin1String("trUpdate")) {
        for (const QString &field : StreamTable::kEditableFields) {
            if (message.contains(field) && !message.value(field).isString()) {
                reply(failure(message, answerAction, QStringLiteral("'%1' must be text").arg(field)));
                return;
            }
        }
        if (record.isEmpty() || !m_table.update(id, message)) {
            reply(failure(message, answerAction, QStringLiteral("No record '%1'").arg(id), kUpdateGone));
            return;
        }
        reply(answer(message, answerAction, kSuccess, {{"id", id}}));
        notify(QStringLiteral("srUpdated"), id);
    } else if (action == QLatin1String("trRemove")) {
        if (!m_table.remove(id)) {
            reply(failure(message, answerAction, QStringLiteral("No record '%1'").arg(id), kInfoGone));
            return;
        }
        reply(answer(message, answerAction, kSuccess, {{"id", id}}));
        notify(QStringLiteral("srUpdated"), id);
    } else if (action == QLatin1String("trDuplicate")) {
        const QString copy = record.isEmpty() ? QString()
                                              : m_table.insert(record.value("name").toString(), record.value("description").toString());
        if (copy.isEmpty()) {
            reply(failure(message, answerAction, QStringLiteral("No record '%1'").arg(id), kInfoGone));
            return;
        }
        reply(answer(message, answerAction, kSuccess, {{"id", copy}, {"sourceId", id}}));
        notify(QStringLiteral("srInserted"), copy);
    } else {
        // "1" is the owner of an unlocked record.
        const QString owner = action == QLatin1String("trLock") ? sign : QStringLiteral("1");
        if (!m_table.setLockOwner(id, owner)) {
            reply(failure(message, answerAction, QStringLiteral("No record '%1'").arg(id), kInfoGone));
            return;
        }
        reply(answer(message, answerAction, kSuccess, {{"id", id}, {"rst_id_user_locked", owner}}));
        notify(QStringLiteral("srUpdated"), id);
    }
}

void TableCommands::getList(const QJsonObject &message, const Send &reply)
{
    const QJsonValue since = message.value(QStringLiteral("dtUpdate"));
    if (!since.isUndefined() && !since.isDouble()) {
        reply(failure(message, QStringLiteral("saGetList"), QStringLiteral("'dtUpdate' must be a number")));
        return;
    }
    const double minimum = since.toDouble(0);
    const qint64 from = std::isfinite(minimum) ? static_cast<qint64>(qBound(-9.0e18, minimum, 9.0e18)) : 0;
    const QList<QJsonObject> records = m_table.records(from);

    reply(answer(message, QStringLiteral("saGetList"), kSuccess, {{"STATE", "start"}, {"count", records.size()}}));
    for (int first = 0; first < records.size(); first += kRecordsPerAnswer) {
        QJsonArray batch;
        for (int i = first; i < qMin(first + kRecordsPerAnswer, records.size()); ++i)
            batch.append(records.at(i));
        reply(answer(message, QStringLiteral("saGetList"), kSuccess, {{"STATE", "data"}, {"records", batch}}));
    }
    reply(answer(message, QStringLiteral("saGetList"), kSuccess, {{"STATE", "end"}}));
}

QJsonObject TableCommands::answer(const QJsonObject &message, const QString &action, int res, const QJsonObject &extra)
{
    QJsonObject result{{"FN", kFnPrefix + action}, {"RES", res}};
    if (message.contains(QStringLiteral("RECEIVER")))
        result.insert(QStringLiteral("RECEIVER"), message.value(QStringLiteral("RECEIVER")));
    for (auto it = message.begin(); it != message.end(); ++it) {
        if (it.key().startsWith(QLatin1Char('_')))
            result.insert(it.key(), it.value());
    }
    for (auto it = extra.begin(); it != extra.end(); ++it)
        result.insert(it.key(), it.value());
    return result;
}

QJsonObject TableCommands::failure(const QJsonObject &message, const QString &action, const QString &errorMessage, int errCode)
{
    QJsonObject extra{{"errorMessage", errorMessage}};
    if (errCode)
        extra.insert(QStringLiteral("ERRCODE"), errCode);
    if (message.contains(QStringLiteral("id")))
        extra.insert(QStringLiteral("id"), message.value(QStringLiteral("id")));
    return answer(message, action, kFailure, extra);
}

QString TableCommands::idOf(const QJsonObject &message)
{
    const QJsonValue id = message.value(QStringLiteral("id"));
    if (id.isString())
        return id.toString();
    if (id.isDouble()) {
        const double v = id.toDouble();
        if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) <= 9007199254740992.0)
            return QString::number(static_cast<qint64>(v));
    }
    return QString();
}

void TableCommands::notify(const QString &action, const QString &id)
{
    m_broadcast({{"FN", kFnPrefix + action}, {"id", id}});
}

} // namespace Standin
