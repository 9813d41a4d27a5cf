#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// Read-only look into the stand-in's tables file, to see what it has stored.
class StandinDatabase
{
public:
    explicit StandinDatabase(const QString &filePath);
    ~StandinDatabase();

    // Every row of a table as a JSON object of its columns.
    QList<QJsonObject> rows(const QString &table) const;
    // The row of `table` whose `field` holds `value`; empty when there is none.
    QJsonObject rowWhere(const QString &table, const QString &field, const QString &value) const;
    // The parameters stored for one module of one device.
    QJsonObject moduleParams(qint64 deviceId, const QString &workname) const;

private:
    QString m_connection;
};
