#pragma once

#include <QJsonObject>
#include <QList>
#include <QWebSocket>

#include <functional>

// A WebSocket client that talks to the stand-in by hand and keeps every
// message it receives.
class WsClient
{
public:
    bool open(quint16 port);
    void close();
    void sendText(const QString &text);
    void send(const QJsonObject &message);
    // Sends the request and waits for its answer ("sa" + the name, same "_requestId").
    QJsonObject ask(QJsonObject request, int timeoutMs = 5000);
    // Waits for a message, received since index `from`, that fits.
    QJsonObject waitFor(const std::function<bool(const QJsonObject &)> &fits, int timeoutMs, int from = 0);
    QJsonObject waitForAction(const QString &action, int timeoutMs, int from = 0);
    int count(const std::function<bool(const QJsonObject &)> &fits, int from = 0) const;

    QWebSocket socket;
    QList<QJsonObject> received;
    int nextRequestId = 1;
};
