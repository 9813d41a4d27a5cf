#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

namespace Standin {

// Stand-in for the P2P service's address resolver: answers each "trPeerInfo"
// datagram with "saPeerInfo" carrying the address and port the datagram came
// from. Anything else is logged and dropped.
class AddressResolver : public QObject
{
    Q_OBJECT

public:
    explicit AddressResolver(QObject *parent = nullptr);

    // Port 0 picks a free port; port() tells which.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const;

signals:
    void logLine(const QString &text);

private:
    void onReadyRead();
    void answer(const QNetworkDatagram &datagram);

    QUdpSocket m_socket;
};

} // namespace Standin
