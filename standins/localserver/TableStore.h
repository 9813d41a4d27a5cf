#pragma once

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace Standin {

// The server's tables in one SQLite file. Every table has rowID, dtUpdate and
// dtInsert besides its own fields; times are milliseconds since the epoch, UTC.
class TableStore
{
public:
    enum class Kind { Integer, Text, Boolean };

    TableStore();
    ~TableStore();

    enum class Seed { TableSamples, Nothing };
    // Opens (and on first use creates) the database file; a new file gets the
    // small sample set of every table unless told otherwise.
    bool open(const QString &filePath, QString *error, Seed seed = Seed::TableSamples);
    bool isFresh() const { return m_fresh; }
    QSqlDatabase database() const { return m_db; }
    bool hasTable(const QString &table) const;
    // Kind of a field, false when the table has no such field.
    bool fieldKind(const QString &table, const QString &field, Kind *kind) const;

    QList<QJsonObject> all(const QString &table) const;
    bool find(const QString &table, qint64 rowId, QJsonObject *record) const;
    // Values must already be checked against the fields; returns the new rowID or -1.
    qint64 insert(const QString &table, const QJsonObject &values);
    bool update(const QString &table, qint64 rowId, const QJsonObject &values);
    bool remove(const QString &table, qint64 rowId);
    QString lastError() const;

private:
    struct Field
    {
        QString name;
        Kind kind;
    };
    void defineTables();
    bool createTables();
    void addSamples();
    // Changes after a restart must still sort after every stored change.
    void seedChangeCounter();
    // A time later than any handed out before, so "newer than the newest" never misses a change.
    qint64 nextTime();
    QJsonObject recordFrom(const QString &table, const class QSqlRecord &row) const;

    QMap<QString, QList<Field>> m_tables;
    QString m_connection;
    QSqlDatabase m_db;
    qint64 m_lastTime = 0;
    QString m_lastError;
    bool m_fresh = false;
};

} // namespace Standin
