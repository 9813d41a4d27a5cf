#include "TableService.h"

#include "RecordFilter.h"

#include <QJsonArray>

namespace Standin {

namespace {
const QString kOk = QStringLiteral("OK");
constexpr int kMaxTextLength = 64 * 1024;
constexpr double kMaxWholeNumber = 9.0e15; // still exact in a double
} // namespace

TableService::TableService(TableStore &store)
    : m_store(store)
{
}

TableService::Outcome TableService::handle(const QString &table, const QString &action, const QJsonObject &request)
{
    if (action == QLatin1String("trQuery"))
        return query(table, request);
    if (action == QLatin1String("trInfo"))
        return info(table, request);
    if (action == QLatin1String("trAdd"))
        return add(table, request);
    if (action == QLatin1String("trUpdate"))
        return update(table, request);
    if (action == QLatin1String("trRem"))
        return remove(table, request);
    if (action == QLatin1String("trDuplicate"))
        return duplicate(table, request);
    return error(QStringLiteral("Unknown action '%1' for table '%2'").arg(action, table));
}

TableService::Outcome TableService::query(const QString &table, const QJsonObject &request)
{
    const QJsonValue data = request.value("data");
    const QJsonValue hints = request.value("hints");
    if ((!data.isUndefined() && !data.isObject()) || (!hints.isUndefined() && !hints.isObject()))
        return error(QStringLiteral("'data' and 'hints' must be objects"));
    QList<QJsonObject> records;
    QString reason;
    if (!RecordFilter(m_store, table).select(data.toObject(), hints.toObject(), &records, &reason))
        return error(reason);
    QJsonArray list;
    for (const QJsonObject &record : qAsConst(records))
        list.append(record);
    return {{{"status", kOk}, {"records", list}}, {}};
}

TableService::Outcome TableService::info(const QString &table, const QJsonObject &request)
{
    qint64 rowId = 0;
    if (!rowIdOf(request, &rowId))
        return error(QStringLiteral("'rowID' must be a whole number"));
    QJsonObject record;
    if (!m_store.find(table, rowId, &record)) {
        Outcome gone = error(QStringLiteral("Record %1 does not exist").arg(rowId), QStringLiteral("110"));
        gone.payload.insert("rowID", rowId);
        return gone;
    }
    return {{{"status", kOk}, {"rowID", rowId}, {"record", record}}, {}};
}

TableService::Outcome TableService::add(const QString &table, const QJsonObject &request)
{
    QJsonObject values;
    QString reason;
    if (!fieldValues(table, request, &values, &reason))
        return error(reason);
    const qint64 rowId = m_store.insert(table, values);
    if (rowId < 0)
        return error(QStringLiteral("Insert failed: %1").arg(m_store.lastError()));
    QJsonObject record;
    m_store.find(table, rowId, &record);
    return {{{"status", kOk}, {"rowID", rowId}, {"record", record}}, notification(table, "srInserted", rowId)};
}

TableService::Outcome TableService::update(const QString &table, const QJsonObject &request)
{
    qint64 rowId = 0;
    if (!rowIdOf(request, &rowId))
        return error(QStringLiteral("'rowID' must be a whole number"));
    QJsonObject values;
    QString reason;
    if (!fieldValues(table, request, &values, &reason))
        return error(reason);
    if (!m_store.update(table, rowId, values)) {
        Outcome gone = error(QStringLiteral("Record %1 does not exist").arg(rowId), QStringLiteral("130"));
        gone.payload.insert("RES", "ERROR");
        gone.payload.insert("rowID", rowId);
        return gone;
    }
    return {{{"status", kOk}, {"RES", kOk}, {"rowID", rowId}}, notification(table, "srUpdated", rowId)};
}

TableService::Outcome TableService::remove(const QString &table, const QJsonObject &request)
{
    qint64 rowId = 0;
    if (!rowIdOf(request, &rowId))
        return error(QStringLiteral("'rowID' must be a whole number"));
    if (!m_store.remove(table, rowId)) {
        Outcome gone = error(QStringLiteral("Record %1 does not exist").arg(rowId), QStringLiteral("110"));
        gone.payload.insert("rowID", rowId);
        return gone;
    }
    return {{{"status", kOk}, {"rowID", rowId}}, notification(table, "srUpdated", rowId)};
}

TableService::Outcome TableService::duplicate(const QString &table, const QJsonObject &request)
{
    qint64 rowId = 0;
    if (!rowIdOf(request, &rowId))
        return error(QStringLiteral("'rowID' must be a whole number"));
    QJsonObject record;
    if (!m_store.find(table, rowId, &record)) {
        Outcome gone = error(QStringLiteral("Record %1 does not exist").arg(rowId), QStringLiteral("110"));
        gone.payload.insert("rowID", rowId);
        return gone;
    }
    record.remove("rowID");
    const qint64 copy = m_store.insert(table, record);
    if (copy < 0)
        return error(QStringLiteral("Insert failed: %1").arg(m_store.lastError()));
    return {{{"status", kOk}, {"rowID", copy}}, notification(table, "srInserted", copy)};
}

bool TableService::fieldValues(const QString &table, const QJsonObject &request, QJsonObject *values, QString *reason) const
{
    for (auto it = request.begin(); it != request.end(); ++it) {
        const QString key = it.key();
        // Envelope, pass-through and server-kept keys are not written by clients.
        if (key == QLatin1String("ctl") || key == QLatin1String("action") || key.startsWith(QLatin1Char('_'))
            || key == QLatin1String("rowID") || key == QLatin1String("dtUpdate") || key == QLatin1String("dtInsert"))
            continue;
        TableStore::Kind kind;
        if (!m_store.fieldKind(table, key, &kind)) {
            *reason = QStringLiteral("Unknown field '%1'").arg(key);
            return false;
        }
        const QJsonValue value = it.value();
        const bool fits = kind == TableStore::Kind::Text ? value.isString()
                        : kind == TableStore::Kind::Boolean ? value.isBool()
                        : value.isDouble() && qAbs(value.toDouble()) < kMaxWholeNumber
                              && value.toDouble() == double(qint64(value.toDouble()));
        if (!fits) {
            *reason = QStringLiteral("Field '%1' has a value of the wrong type").arg(key);
            return false;
        }
        if (kind == TableStore::Kind::Text && value.toString().size() > kMaxTextLength) {
            *reason = QStringLiteral("Field '%1' is longer than %2 characters").arg(key).arg(kMaxTextLength);
            return false;
        }
        values->insert(key, value);
    }
    return true;
}

bool TableService::rowIdOf(const QJsonObject &request, qint64 *rowId)
{
    bool ok = false;
    const QJsonValue value = request.value("rowID");
    if (value.isDouble() || value.isString())
        *rowId = value.toVariant().toLongLong(&ok);
    return ok;
}

TableService::Outcome TableService::error(const QString &message, const QString &code)
{
    QJsonObject payload{{"status", "ERROR"}, {"errorMessage", message}};
    if (!code.isEmpty())
        payload.insert("ERRCODE", code);
    return {payload, {}};
}

QJsonObject TableService::notification(const QString &table, const QString &action, qint64 rowId)
{
    return {{"ctl", table}, {"action", action}, {"rowID", rowId}};
}

} // namespace Standin
