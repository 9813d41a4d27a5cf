#pragma once

#include <QByteArray>
#include <QTcpServer>

// Answers every GET on 127.0.0.1 with one fixed body, or 404 when empty.
class TinyHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit TinyHttpServer(QByteArray body, QObject* parent = nullptr);
    bool start() { return listen(QHostAddress::LocalHost, 0); }

private:
    void answer();

    QByteArray m_body;
};
