#include "WsClient.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QUrl>

bool WsClient::open(quint16 port)
{
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
        received.append(QJsonDocument::fromJson(text.toUtf8()).object());
    });
    QSignalSpy connected(&socket, &QWebSocket::connected);
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(port)));
    return connected.count() || connected.wait(5000);
}

void WsClient::close()
{
    QSignalSpy disconnected(&socket, &QWebSocket::disconnected);
    socket.close();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        disconnected.wait(5000);
}

void WsClient::sendText(const QString &text)
{
    socket.sendTextMessage(text);
}

void WsClient::send(const QJsonObject &message)
{
    sendText(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

QJsonObject WsClient::ask(QJsonObject request, int timeoutMs)
{
    const QString id = QStringLiteral("req-%1").arg(nextRequestId++);
    request.insert("_requestId", id);
    QString answer = request.value("action").toString();
    answer.replace(0, 2, QStringLiteral("sa"));
    const int from = received.size();
    send(request);
    return waitFor([&](const QJsonObject &m) { return m.value("action").toString() == answer && m.value("_requestId").toString() == id; },
                   timeoutMs, from);
}

QJsonObject WsClient::waitFor(const std::function<bool(const QJsonObject &)> &fits, int timeoutMs, int from)
{
    const QDeadlineTimer deadline(timeoutMs);
    int checked = from;
    while (true) {
        for (; checked < received.size(); ++checked) {
            if (fits(received.at(checked)))
                return received.at(checked);
        }
        if (deadline.hasExpired())
            return {};
        QSignalSpy arrived(&socket, &QWebSocket::textMessageReceived);
        arrived.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    }
}

QJsonObject WsClient::waitForAction(const QString &action, int timeoutMs, int from)
{
    return waitFor([&](const QJsonObject &m) { return m.value("action").toString() == action; }, timeoutMs, from);
}

int WsClient::count(const std::function<bool(const QJsonObject &)> &fits, int from) const
{
    int n = 0;
    for (int i = from; i < received.size(); ++i)
        n += fits(received.at(i)) ? 1 : 0;
    return n;
}
