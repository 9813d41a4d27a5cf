#include "TestSocket.h"

#include <QSignalSpy>

bool TestSocket::bind(const QHostAddress &address, quint16 port)
{
    return m_socket.bind(address, port, QAbstractSocket::DontShareAddress);
}

quint16 TestSocket::port() const
{
    return m_socket.localPort();
}

QNetworkDatagram TestSocket::next(int timeoutMs)
{
    QSignalSpy ready(&m_socket, &QUdpSocket::readyRead);
    if (!m_socket.hasPendingDatagrams() && !ready.wait(timeoutMs) && !m_socket.hasPendingDatagrams())
        return QNetworkDatagram();
    return m_socket.receiveDatagram();
}

bool TestSocket::hasPending()
{
    return m_socket.hasPendingDatagrams();
}

void TestSocket::send(const QByteArray &payload, const QHostAddress &address, quint16 port)
{
    m_socket.writeDatagram(payload, address, port);
}

bool TestSocket::canBind(quint16 port)
{
    QUdpSocket probe;
    return probe.bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress);
}
