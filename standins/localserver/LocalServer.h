#pragma once

#include "ServerLog.h"
#include "TableService.h"
#include "TableStore.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QWebSocketServer>

#include <memory>

class QWebSocket;

namespace Standin {

// A small local server: accepts WebSocket clients on "/loader", answers their
// JSON requests and tells every client about changes.
class LocalServer : public QObject
{
    Q_OBJECT
public:
    explicit LocalServer(ServerLog &log, QObject *parent = nullptr);
    ~LocalServer() override;

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    int clientCount() const;
    // Serves the tables from this SQLite file; without it only "app" is answered.
    bool openTables(const QString &databasePath);

    // The answer to a request: "sa" + its name, with "ctl" and every "_" key copied.
    static QJsonObject answerTo(const QJsonObject &request, const QJsonObject &payload);
    void send(QWebSocket *client, const QJsonObject &message);
    void broadcast(const QJsonObject &message);

signals:
    void clientConnected();
    void clientDisconnected();
    void shutdownRequested();

private:
    void onNewConnection();
    void onTextMessage(QWebSocket *client, const QString &text);
    void handleRequest(QWebSocket *client, const QJsonObject &request);
    void handleApp(QWebSocket *client, const QJsonObject &request);
    void sendError(QWebSocket *client, const QJsonObject &request, const QString &errorMessage);
    void dropClient(QWebSocket *client);

    ServerLog &m_log;
    QWebSocketServer m_server;
    QList<QWebSocket *> m_clients;
    std::unique_ptr<TableStore> m_store;
    std::unique_ptr<TableService> m_tables;
};

} // namespace Standin
