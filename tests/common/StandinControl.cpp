#include "StandinControl.h"

#include <QJsonDocument>
#include <QtTest>

bool StandinControl::open(quint16 port)
{
    QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
        if (document.isObject())
            m_received.append(document.object());
    });
    m_socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(port)));
    return QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 10000);
}

QJsonObject StandinControl::ask(QJsonObject request, int timeoutMs)
{
    const QString id = QStringLiteral("control-%1").arg(m_nextRequest++);
    request.insert(QStringLiteral("_requestId"), id);
    m_socket.sendTextMessage(QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact)));
    QJsonObject answer;
    const bool answered = QTest::qWaitFor([&] {
        for (int i = 0; i < m_received.size(); ++i) {
            if (m_received.at(i).value(QStringLiteral("_requestId")).toString() == id) {
                answer = m_received.takeAt(i);
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return answered ? answer : QJsonObject();
}

QJsonArray StandinControl::records(const QString &table, const QJsonObject &data)
{
    return ask({{"ctl", table}, {"action", "trQuery"}, {"data", data}}).value(QStringLiteral("records")).toArray();
}
