#pragma once

#include "StreamTable.h"

#include <QJsonObject>

#include <functional>

namespace Standin {

// The table commands under "peersManager": list, info, new, update, remove,
// duplicate, lock and unlock on the stream table, and the change notifications.
class TableCommands
{
public:
    using Send = std::function<void(const QJsonObject &)>;

    TableCommands(const QString &databasePath, Send broadcast);

    bool isOpen() const;
    static bool handles(const QString &action);
    // Answers through `reply`; changes are announced to every logged-in connection.
    void handle(const QString &action, const QJsonObject &message, const QString &sign, const Send &reply);

private:
    static constexpr int kRecordsPerAnswer = 50;

    void getList(const QJsonObject &message, const Send &reply);
    // The answer to `message` under `action`: its RECEIVER and "_" keys, RES and any extra keys.
    static QJsonObject answer(const QJsonObject &message, const QString &action, int res, const QJsonObject &extra = {});
    static QJsonObject failure(const QJsonObject &message, const QString &action, const QString &errorMessage, int errCode = 0);
    // The message's `id` as text, or empty when missing or not a text or whole number.
    static QString idOf(const QJsonObject &message);
    void notify(const QString &action, const QString &id);

    StreamTable m_table;
    Send m_broadcast;
};

} // namespace Standin
