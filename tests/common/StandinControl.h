#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QWebSocket>

// A second connection to the stand-in, as another client or the test's hand
// on the server: asks a question and waits for its answer.
class StandinControl
{
public:
    bool open(quint16 port);
    // The answer with the same "_requestId"; an empty object after the time-out.
    QJsonObject ask(QJsonObject request, int timeoutMs = 10000);
    QJsonArray records(const QString &table, const QJsonObject &data = {});

private:
    QWebSocket m_socket;
    QList<QJsonObject> m_received;
    int m_nextRequest = 1;
};
