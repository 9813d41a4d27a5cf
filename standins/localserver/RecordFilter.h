#pragma once

#include "TableStore.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace Standin {

// The query language inside "data": field equality, {"$gte": v}, {"$bt": [lo, hi]},
// {"$regex": "pattern"} per field, "$and" over a list of conditions, and
// "$orderby": {"field": 1 | -1}. Anything else is refused with a reason.
class RecordFilter
{
public:
    RecordFilter(const TableStore &store, const QString &table);

    // False with a reason when the condition cannot be understood.
    bool select(const QJsonObject &data, const QJsonObject &hints, QList<QJsonObject> *records, QString *error) const;

private:
    bool matches(const QJsonObject &record, const QJsonObject &condition, bool *ok, QString *error) const;
    bool matchesField(const QJsonValue &value, const QString &field, const QJsonValue &condition, bool *ok, QString *error) const;
    bool order(const QJsonValue &orderBy, QList<QJsonObject> *records, QString *error) const;

    const TableStore &m_store;
    QString m_table;
};

} // namespace Standin
