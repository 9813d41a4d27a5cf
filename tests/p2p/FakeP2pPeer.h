#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

// The far end of a P2P link under test: accepts connections on 127.0.0.1 and
// lets the test write raw bytes and read what the link wrote.
class FakeP2pPeer : public QObject
{
    Q_OBJECT
public:
    FakeP2pPeer();

    quint16 port() const;
    QTcpSocket *socket() const;
    QByteArray received() const;
    // Frames written by the link so far, without their terminators.
    QList<QByteArray> receivedFrames() const;
    void write(const QByteArray &bytes);
    void dropConnection();

signals:
    void connected();

private:
    QTcpServer m_server;
    QTcpSocket *m_socket = nullptr;
    QByteArray m_received;
};
