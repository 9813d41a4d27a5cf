#include "StandinDatabase.h"

#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

StandinDatabase::StandinDatabase(const QString &filePath)
    : m_filePath(filePath)
    , m_connection(QStringLiteral("standin-db-%1").arg(quintptr(this)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    db.open();
}

StandinDatabase::~StandinDatabase()
{
    QSqlDatabase::database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QList<QJsonObject> StandinDatabase::rows(const QString &table) const
{
    QList<QJsonObject> result;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY \"rowID\"").arg(table)))
        return result;
    while (query.next()) {
        QJsonObject row;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), QJsonValue::fromVariant(record.value(i)));
        result.append(row);
    }
    return result;
}

QJsonObject StandinDatabase::rowWhere(const QString &table, const QString &field, const QString &value) const
{
    for (const QJsonObject &row : rows(table)) {
        if (row.value(field).toVariant().toString() == value)
            return row;
    }
    return {};
}

QJsonObject StandinDatabase::moduleParams(qint64 deviceId, const QString &workname) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("SELECT \"params\" FROM \"moduleParams\" WHERE \"rstIDDevice\" = ? AND \"workname\" = ?"));
    query.addBindValue(deviceId);
    query.addBindValue(workname);
    if (!query.exec() || !query.next())
        return {};
    return QJsonDocument::fromJson(query.value(0).toString().toUtf8()).object();
}

bool StandinDatabase::storeModuleParams(qint64 deviceId, const QString &workname, const QJsonObject &params)
{
    const QString name = m_connection + QStringLiteral("-writer");
    bool stored = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_filePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("INSERT OR REPLACE INTO \"moduleParams\" VALUES (?, ?, ?)"));
            query.addBindValue(deviceId);
            query.addBindValue(workname);
            query.addBindValue(QString::fromUtf8(QJsonDocument(params).toJson(QJsonDocument::Compact)));
            stored = query.exec();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return stored;
}
