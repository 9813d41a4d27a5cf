#pragma once

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

// A plain UDP socket on the test thread playing the other end of a peer.
class TestSocket
{
public:
    bool bind(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = 0);
    quint16 port() const;
    // The next datagram, or an invalid one when none arrives within timeoutMs.
    QNetworkDatagram next(int timeoutMs = 5000);
    bool hasPending();
    void send(const QByteArray &payload, const QHostAddress &address, quint16 port);

    // Whether another socket could take the port on every IPv4 address now.
    static bool canBind(quint16 port);

private:
    QUdpSocket m_socket;
};
