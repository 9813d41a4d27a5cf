#include "TinyHttpServer.h"

#include <QTcpSocket>

TinyHttpServer::TinyHttpServer(QByteArray body, QObject* parent)
    : QTcpServer(parent)
    , m_body(std::move(body))
{
    connect(this, &QTcpServer::newConnection, this, &TinyHttpServer::answer);
}

void TinyHttpServer::answer()
{
    while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->readAll().contains("\r\n\r\n"))
                return;
            const QByteArray status = m_body.isEmpty() ? "404 Not Found" : "200 OK";
            socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(m_body.size())
                          + "\r\nConnection: close\r\n\r\n" + m_body);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}
