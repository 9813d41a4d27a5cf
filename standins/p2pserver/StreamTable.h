#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

namespace Standin {

// The table of stream descriptions the P2P server offers under "peersManager":
// text id, name, description, lock owner and the two times, in the server's SQLite file.
class StreamTable
{
public:
    explicit StreamTable(const QString &databasePath);
    ~StreamTable();

    bool isOpen() const;
    // Records changed at or after `minDtUpdate`, lowest id first.
    QList<QJsonObject> records(qint64 minDtUpdate) const;
    // The record, or an empty object when there is none.
    QJsonObject record(const QString &id) const;
    // The new record's id, empty on failure.
    QString insert(const QString &name, const QString &description);
    bool update(const QString &id, const QJsonObject &fields);
    bool remove(const QString &id);
    bool setLockOwner(const QString &id, const QString &owner);

    static const QStringList kEditableFields;

private:
    // Strictly growing, so a refresh for "newer than the newest held" never misses a change.
    qint64 nextStamp();

    QString m_connectionName;
    qint64 m_lastStamp = 0;
};

} // namespace Standin
