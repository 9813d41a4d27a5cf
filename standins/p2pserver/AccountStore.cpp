#include "AccountStore.h"

#include <QPair>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace Standin {

AccountStore::AccountStore(const QString &databasePath)
    : m_connectionName(QStringLiteral("accounts-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(databasePath);
    if (db.open())
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS accounts (sign TEXT PRIMARY KEY, secret TEXT NOT NULL)"));
}

AccountStore::~AccountStore()
{
    QSqlDatabase::database(m_connectionName).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool AccountStore::isOpen() const
{
    return QSqlDatabase::database(m_connectionName).isOpen();
}

bool AccountStore::check(const QString &sign, const QString &secret) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT secret FROM accounts WHERE sign = ?"));
    query.addBindValue(sign);
    return query.exec() && query.next() && !secret.isEmpty() && query.value(0).toString() == secret;
}

QPair<QString, QString> AccountStore::create()
{
    const QString sign = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString secret = QUuid::createUuid().toString(QUuid::Id128);
    add(sign, secret);
    return {sign, secret};
}

void AccountStore::add(const QString &sign, const QString &secret)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO accounts (sign, secret) VALUES (?, ?)"));
    query.addBindValue(sign);
    query.addBindValue(secret);
    query.exec();
}

} // namespace Standin
