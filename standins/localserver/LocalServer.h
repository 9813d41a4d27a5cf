#pragma once

#include "ServerLog.h"
#include "TableService.h"
#include "TableStore.h"
#include "TelegramLink.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QWebSocketServer>

#include <memory>

class QWebSocket;

namespace Standin {

class ArchivePlayer;
class DemoArchive;
class Detection;
class LiveStreams;
class Modules;
class P2pChannelTaps;
class Search;

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
    // Serves the tables from this SQLite file (a new file gets small samples);
    // without it only "app" is answered.
    bool openTables(const QString &databasePath);
    // Serves an installation folder: its tables, its archive and, when live,
    // a stream per playable device. A new folder gets the demo installation.
    bool openInstallation(const QString &folder, bool live);
    // Live streams send this clip, looped and not re-encoded, instead of
    // drawing their test pattern (cheap senders for benchmarks); set before opening.
    void setLiveClip(const QString &path) { m_liveClip = path; }
    DemoArchive *demoArchive() const { return m_demo.get(); }

    // The answer to a request: "sa" + its name, with "ctl" and every "_" key copied.
    static QJsonObject answerTo(const QJsonObject &request, const QJsonObject &payload);
    void send(QWebSocket *client, const QJsonObject &message);
    void broadcast(const QJsonObject &message);

signals:
    void clientConnected();
    void clientDisconnected();
    void shutdownRequested();

private:
    bool open(const QString &databasePath, TableStore::Seed seed);
    void onNewConnection();
    void onTextMessage(QWebSocket *client, const QString &text);
    void handleRequest(QWebSocket *client, const QJsonObject &request);
    void handleApp(QWebSocket *client, const QJsonObject &request);
    void handleCam(QWebSocket *client, const QString &action, const QJsonObject &request);
    // Test controls ("standin"): cut or restore a live stream, send a detection now.
    void handleControl(QWebSocket *client, const QString &action, const QJsonObject &request);
    void handleTable(QWebSocket *client, const QString &ctl, const QString &action, const QJsonObject &request);
    void sendError(QWebSocket *client, const QJsonObject &request, const QString &errorMessage);
    void sendTo(QObject *client, const QJsonObject &message);
    void onRecordChanged(const QString &table, const QString &notification, qint64 rowId);
    void dropClient(QWebSocket *client);

    ServerLog &m_log;
    QWebSocketServer m_server;
    QList<QWebSocket *> m_clients;
    std::unique_ptr<TableStore> m_store;
    std::unique_ptr<TableService> m_tables;
    std::unique_ptr<Modules> m_modules;
    std::unique_ptr<Search> m_search;
    TelegramLink m_telegram;
    std::unique_ptr<DemoArchive> m_demo;
    std::unique_ptr<LiveStreams> m_live;
    QString m_liveClip;
    std::unique_ptr<Detection> m_detection;
    std::unique_ptr<ArchivePlayer> m_archive;
    // Installation folder; a file "refuse-next-add" there makes the next trAdd fail.
    QString m_folder;
    std::unique_ptr<P2pChannelTaps> m_p2pTaps;
};

} // namespace Standin
