#include "StandinControl.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QUrl>

bool StandinControl::open(quint16 port)
{
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
        received.append(QJsonDocument::fromJson(text.toUtf8()).object());
    });
    QSignalSpy connected(&socket, &QWebSocket::connected);
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(port)));
    return connected.count() || connected.wait(10000);
}

void StandinControl::close()
{
    QSignalSpy disconnected(&socket, &QWebSocket::disconnected);
    socket.close();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        disconnected.wait(5000);
}

void StandinControl::sendText(const QString &text)
{
    socket.sendTextMessage(text);
}

void StandinControl::send(const QJsonObject &message)
{
    sendText(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

QJsonObject StandinControl::ask(QJsonObject request, int timeoutMs)
{
    const QString id = QStringLiteral("control-%1").arg(m_nextRequest++);
    request.insert(QStringLiteral("_requestId"), id);
    QString answer = request.value(QStringLiteral("action")).toString();
    answer.replace(0, 2, QStringLiteral("sa"));
    const int from = received.size();
    send(request);
    return waitFor([&](const QJsonObject &m) {
        return m.value(QStringLiteral("action")).toString() == answer && m.value(QStringLiteral("_requestId")).toString() == id;
    }, timeoutMs, from);
}

QJsonArray StandinControl::records(const QString &table, const QJsonObject &data)
{
    return ask({{"ctl", table}, {"action", "trQuery"}, {"data", data}}).value(QStringLiteral("records")).toArray();
}

QJsonObject StandinControl::waitFor(const std::function<bool(const QJsonObject &)> &fits, int timeoutMs, int from)
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

QJsonObject StandinControl::waitForAction(const QString &action, int timeoutMs, int from)
{
    return waitFor([&](const QJsonObject &m) { return m.value(QStringLiteral("action")).toString() == action; }, timeoutMs, from);
}

int StandinControl::count(const std::function<bool(const QJsonObject &)> &fits, int from) const
{
    int n = 0;
    for (int i = from; i < received.size(); ++i)
        n += fits(received.at(i)) ? 1 : 0;
    return n;
}
