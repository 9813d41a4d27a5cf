#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// A look into the stand-in's tables file, to see what it has stored; a test
// writes there only what no client request could store.
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
    // Stores parameters as the server would hand them out, past its own checks.
    bool storeModuleParams(qint64 deviceId, const QString &workname, const QJsonObject &params);

private:
    QString m_filePath;
    QString m_connection;
};
