#include "RecordFilter.h"

#include <QRegularExpression>

#include <algorithm>

namespace Standin {

namespace {
// Numbers compare as numbers, everything else as text.
int compare(const QJsonValue &a, const QJsonValue &b)
{
    if (a.isDouble() && b.isDouble())
        return a.toDouble() < b.toDouble() ? -1 : a.toDouble() > b.toDouble() ? 1 : 0;
    return QString::compare(a.toVariant().toString(), b.toVariant().toString());
}

bool fail(bool *ok, QString *error, const QString &reason)
{
    *ok = false;
    *error = reason;
    return false;
}
} // namespace

RecordFilter::RecordFilter(const TableStore &store, const QString &table)
    : m_store(store)
    , m_table(table)
{
}

bool RecordFilter::select(const QJsonObject &data, const QJsonObject &hints, QList<QJsonObject> *records, QString *error) const
{
    QList<QJsonObject> selected;
    for (const QJsonObject &record : m_store.all(m_table)) {
        bool ok = true;
        const bool match = matches(record, data, &ok, error);
        if (!ok)
            return false;
        if (match)
            selected.append(record);
    }
    const QJsonValue orderBy = data.contains("$orderby") ? data.value("$orderby") : hints.value("$orderby");
    if (!orderBy.isUndefined() && !order(orderBy, &selected, error))
        return false;
    *records = selected;
    return true;
}

bool RecordFilter::matches(const QJsonObject &record, const QJsonObject &condition, bool *ok, QString *error) const
{
    bool all = true;
    for (auto it = condition.begin(); it != condition.end() && *ok; ++it) {
        const QString key = it.key();
        if (key == QLatin1String("$orderby"))
            continue;
        if (key == QLatin1String("$and")) {
            if (!it.value().isArray())
                return fail(ok, error, QStringLiteral("$and needs a list of conditions"));
            for (const QJsonValue &part : it.value().toArray()) {
                if (!part.isObject())
                    return fail(ok, error, QStringLiteral("$and needs a list of conditions"));
                all = matches(record, part.toObject(), ok, error) && all;
            }
            continue;
        }
        if (key.startsWith(QLatin1Char('$')))
            return fail(ok, error, QStringLiteral("Unknown operator '%1'").arg(key));
        TableStore::Kind kind;
        if (!m_store.fieldKind(m_table, key, &kind))
            return fail(ok, error, QStringLiteral("Unknown field '%1'").arg(key));
        all = matchesField(record.value(key), key, it.value(), ok, error) && all;
    }
    return all;
}

bool RecordFilter::matchesField(const QJsonValue &value, const QString &field, const QJsonValue &condition, bool *ok,
                                QString *error) const
{
    if (!condition.isObject())
        return compare(value, condition) == 0;
    bool all = true;
    const QJsonObject ops = condition.toObject();
    for (auto it = ops.begin(); it != ops.end(); ++it) {
        const QString op = it.key();
        if (op == QLatin1String("$gte")) {
            all = all && !value.isUndefined() && compare(value, it.value()) >= 0;
        } else if (op == QLatin1String("$bt")) {
            const QJsonArray range = it.value().toArray();
            if (range.size() != 2)
                return fail(ok, error, QStringLiteral("$bt on '%1' needs [low, high]").arg(field));
            all = all && !value.isUndefined() && compare(value, range.at(0)) >= 0 && compare(value, range.at(1)) <= 0;
        } else if (op == QLatin1String("$regex")) {
            const QRegularExpression expression(it.value().toString(), QRegularExpression::CaseInsensitiveOption);
            if (!it.value().isString() || !expression.isValid())
                return fail(ok, error, QStringLiteral("$regex on '%1' is not a valid pattern").arg(field));
            all = all && expression.match(value.toVariant().toString()).hasMatch();
        } else {
            return fail(ok, error, QStringLiteral("Unknown operator '%1'").arg(op));
        }
    }
    return all;
}

bool RecordFilter::order(const QJsonValue &orderBy, QList<QJsonObject> *records, QString *error) const
{
    const QJsonObject spec = orderBy.toObject();
    if (!orderBy.isObject() || spec.size() != 1) {
        *error = QStringLiteral("$orderby needs one field: {\"field\": 1 or -1}");
        return false;
    }
    const QString field = spec.begin().key();
    TableStore::Kind kind;
    if (!m_store.fieldKind(m_table, field, &kind)) {
        *error = QStringLiteral("Unknown field '%1'").arg(field);
        return false;
    }
    const bool descending = spec.begin().value().toInt() < 0;
    std::stable_sort(records->begin(), records->end(), [&](const QJsonObject &a, const QJsonObject &b) {
        const int c = compare(a.value(field), b.value(field));
        return descending ? c > 0 : c < 0;
    });
    return true;
}

} // namespace Standin
