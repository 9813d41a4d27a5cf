#pragma once

#include "TableStore.h"

#include <QJsonObject>

namespace Standin {

// The table requests every table answers: trQuery, trInfo, trAdd, trUpdate,
// trRem and trDuplicate. Changes come with the notification to broadcast.
class TableService
{
public:
    struct Outcome
    {
        QJsonObject payload;
        QJsonObject notification; // empty when nothing changed
    };

    explicit TableService(TableStore &store);

    Outcome handle(const QString &table, const QString &action, const QJsonObject &request);
    static QJsonObject notification(const QString &table, const QString &action, qint64 rowId);

private:
    Outcome query(const QString &table, const QJsonObject &request);
    Outcome info(const QString &table, const QJsonObject &request);
    Outcome add(const QString &table, const QJsonObject &request);
    Outcome update(const QString &table, const QJsonObject &request);
    Outcome remove(const QString &table, const QJsonObject &request);
    Outcome duplicate(const QString &table, const QJsonObject &request);
    // Only the table's own fields, each of the right kind; false with a reason otherwise.
    bool fieldValues(const QString &table, const QJsonObject &request, QJsonObject *values, QString *error) const;
    static bool rowIdOf(const QJsonObject &request, qint64 *rowId);
    static Outcome error(const QString &message, const QString &code = QString());

    TableStore &m_store;
};

} // namespace Standin
