#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QWebSocket>

#include <functional>

// A second connection to the stand-in, as another client or the test's hand
// on the server: asks questions, waits for messages and keeps every one.
class StandinControl
{
public:
    bool open(quint16 port);
    void close();
    void sendText(const QString &text);
    void send(const QJsonObject &message);
    // Sends the request and waits for its answer ("sa" + the name, same "_requestId");
    // an empty object after the time-out.
    QJsonObject ask(QJsonObject request, int timeoutMs = 10000);
    QJsonArray records(const QString &table, const QJsonObject &data = {});
    // Waits for a message, received since index `from`, that fits.
    QJsonObject waitFor(const std::function<bool(const QJsonObject &)> &fits, int timeoutMs, int from = 0);
    QJsonObject waitForAction(const QString &action, int timeoutMs, int from = 0);
    int count(const std::function<bool(const QJsonObject &)> &fits, int from = 0) const;

    QWebSocket socket;
    QList<QJsonObject> received;

private:
    int m_nextRequest = 1;
};
