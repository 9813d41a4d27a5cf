#include "AddressResolver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkDatagram>

namespace Standin {

namespace {

// Datagrams are untrusted: log a bounded, printable rendering of them.
QString printable(const QByteArray &data)
{
    constexpr int kShown = 256;
    QString shown;
    for (const char c : data.left(kShown)) {
        const auto byte = static_cast<unsigned char>(c);
        shown += (byte >= 0x20 && byte < 0x7f) ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    if (data.size() > kShown)
        shown += QStringLiteral("... (%1 bytes)").arg(data.size());
    return shown;
}

} // namespace

AddressResolver::AddressResolver(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &AddressResolver::onReadyRead);
}

bool AddressResolver::listen(const QHostAddress &address, quint16 port)
{
    if (!m_socket.bind(address, port, QAbstractSocket::DontShareAddress)) {
        emit logLine(QStringLiteral("cannot listen on %1:%2: %3").arg(address.toString()).arg(port).arg(m_socket.errorString()));
        return false;
    }
    emit logLine(QStringLiteral("listening on %1:%2").arg(m_socket.localAddress().toString()).arg(m_socket.localPort()));
    return true;
}

quint16 AddressResolver::port() const
{
    return m_socket.localPort();
}

QString AddressResolver::errorString() const
{
    return m_socket.errorString();
}

void AddressResolver::onReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        if (!datagram.isValid())
            break;
        answer(datagram);
    }
}

void AddressResolver::answer(const QNetworkDatagram &datagram)
{
    const QString sender = QStringLiteral("%1:%2").arg(datagram.senderAddress().toString()).arg(datagram.senderPort());
    emit logLine(QStringLiteral("datagram from %1: %2").arg(sender, printable(datagram.data())));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(datagram.data(), &error);
    if (error.error != QJsonParseError::NoError) {
        emit logLine(QStringLiteral("ignored datagram from %1: not JSON (%2)").arg(sender, error.errorString()));
        return;
    }
    if (!document.isObject()) {
        emit logLine(QStringLiteral("ignored datagram from %1: not a JSON object").arg(sender));
        return;
    }
    if (document.object().value(QStringLiteral("fn")).toString() != QStringLiteral("trPeerInfo")) {
        emit logLine(QStringLiteral("ignored datagram from %1: \"fn\" is not \"trPeerInfo\"").arg(sender));
        return;
    }

    const QJsonObject reply{
        {QStringLiteral("fn"), QStringLiteral("saPeerInfo")},
        {QStringLiteral("globalIp"), datagram.senderAddress().toString()},
        {QStringLiteral("globalPort"), datagram.senderPort()},
    };
    const QByteArray payload = QJsonDocument(reply).toJson(QJsonDocument::Compact);
    if (m_socket.writeDatagram(payload, datagram.senderAddress(), static_cast<quint16>(datagram.senderPort())) != payload.size())
        emit logLine(QStringLiteral("cannot answer %1: %2").arg(sender, m_socket.errorString()));
    else
        emit logLine(QStringLiteral("answered %1: %2").arg(sender, QString::fromUtf8(payload)));
}

} // namespace Standin
