#pragma once

#include <QPair>
#include <QString>

namespace Standin {

// Signs and secrets of the P2P server's users, in an SQLite file.
class AccountStore
{
public:
    explicit AccountStore(const QString &databasePath);
    ~AccountStore();

    bool isOpen() const;
    bool check(const QString &sign, const QString &secret) const;
    // A new account; returns {sign, secret}.
    QPair<QString, QString> create();
    void add(const QString &sign, const QString &secret);

private:
    QString m_connectionName;
};

} // namespace Standin
