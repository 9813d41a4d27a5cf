#include "StreamTable.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>

namespace Standin {

const QStringList StreamTable::kEditableFields = {QStringLiteral("name"), QStringLiteral("description")};

StreamTable::StreamTable(const QString &databasePath)
    : m_connectionName(QStringLiteral("streams-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(databasePath);
    if (db.open())
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS streams (id TEXT PRIMARY KEY, name TEXT NOT NULL DEFAULT '', "
                                          "description TEXT NOT NULL DEFAULT '', rst_id_user_locked TEXT NOT NULL DEFAULT '1', "
                                          "dtInsert INTEGER NOT NULL, dtUpdate INTEGER NOT NULL)"));
}

StreamTable::~StreamTable()
{
    QSqlDatabase::database(m_connectionName).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool StreamTable::isOpen() const
{
    return QSqlDatabase::database(m_connectionName).isOpen();
}

QList<QJsonObject> StreamTable::records(qint64 minDtUpdate) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT * FROM streams WHERE dtUpdate >= ? ORDER BY CAST(id AS INTEGER)"));
    query.addBindValue(minDtUpdate);
    QList<QJsonObject> result;
    if (!query.exec())
        return result;
    while (query.next()) {
        const QSqlRecord row = query.record();
        QJsonObject record;
        for (int i = 0; i < row.count(); ++i)
            record.insert(row.fieldName(i), QJsonValue::fromVariant(row.value(i)));
        result.append(record);
    }
    return result;
}

QJsonObject StreamTable::record(const QString &id) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT * FROM streams WHERE id = ?"));
    query.addBindValue(id);
    QJsonObject record;
    if (query.exec() && query.next()) {
        const QSqlRecord row = query.record();
        for (int i = 0; i < row.count(); ++i)
            record.insert(row.fieldName(i), QJsonValue::fromVariant(row.value(i)));
    }
    return record;
}

QString StreamTable::insert(const QString &name, const QString &description)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    QSqlQuery next(db);
    if (!next.exec(QStringLiteral("SELECT COALESCE(MAX(CAST(id AS INTEGER)), 0) + 1 FROM streams")) || !next.next())
        return QString();
    const QString id = QString::number(next.value(0).toLongLong());
    const qint64 stamp = nextStamp();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO streams (id, name, description, dtInsert, dtUpdate) VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(id);
    query.addBindValue(name);
    query.addBindValue(description);
    query.addBindValue(stamp);
    query.addBindValue(stamp);
    return query.exec() ? id : QString();
}

bool StreamTable::update(const QString &id, const QJsonObject &fields)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    for (const QString &field : kEditableFields) {
        if (!fields.contains(field))
            continue;
        QSqlQuery query(db);
        // The field name comes from our own list, never from the message.
        query.prepare(QStringLiteral("UPDATE streams SET %1 = ? WHERE id = ?").arg(field));
        query.addBindValue(fields.value(field).toString());
        query.addBindValue(id);
        if (!query.exec())
            return false;
    }
    QSqlQuery touch(db);
    touch.prepare(QStringLiteral("UPDATE streams SET dtUpdate = ? WHERE id = ?"));
    touch.addBindValue(nextStamp());
    touch.addBindValue(id);
    return touch.exec() && touch.numRowsAffected() == 1;
}

bool StreamTable::remove(const QString &id)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("DELETE FROM streams WHERE id = ?"));
    query.addBindValue(id);
    return query.exec() && query.numRowsAffected() == 1;
}

bool StreamTable::setLockOwner(const QString &id, const QString &owner)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("UPDATE streams SET rst_id_user_locked = ?, dtUpdate = ? WHERE id = ?"));
    query.addBindValue(owner);
    query.addBindValue(nextStamp());
    query.addBindValue(id);
    return query.exec() && query.numRowsAffected() == 1;
}

qint64 StreamTable::nextStamp()
{
    m_lastStamp = qMax(QDateTime::currentMSecsSinceEpoch(), m_lastStamp + 1);
    return m_lastStamp;
}

} // namespace Standin
