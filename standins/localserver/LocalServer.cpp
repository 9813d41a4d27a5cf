#include "LocalServer.h"

#include "ArchivePlayer.h"
#include "DemoArchive.h"
#include "Detection.h"
#include "LiveStreams.h"
#include "Modules.h"
#include "P2pChannelTaps.h"
#include "Search.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QWebSocket>

namespace Standin {

namespace {
// Bigger requests are refused by the socket before they are buffered whole.
constexpr quint64 kMaxRequestSize = 16ull * 1024 * 1024;

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
} // namespace

LocalServer::LocalServer(ServerLog &log, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_server(QStringLiteral("lyn-standin-localserver"), QWebSocketServer::NonSecureMode)
{
    connect(&m_server, &QWebSocketServer::newConnection, this, &LocalServer::onNewConnection);
}

LocalServer::~LocalServer()
{
    for (QWebSocket *client : qAsConst(m_clients)) {
        client->disconnect(this);
        delete client;
    }
}

bool LocalServer::listen(const QHostAddress &address, quint16 port)
{
    if (!m_server.listen(address, port)) {
        m_log.line(QStringLiteral("cannot listen on %1:%2: %3").arg(address.toString()).arg(port).arg(m_server.errorString()));
        return false;
    }
    m_log.line(QStringLiteral("listening on ws://%1:%2/loader").arg(address.toString()).arg(m_server.serverPort()));
    return true;
}

quint16 LocalServer::port() const
{
    return m_server.serverPort();
}

int LocalServer::clientCount() const
{
    return m_clients.size();
}

bool LocalServer::openTables(const QString &databasePath)
{
    return open(databasePath, TableStore::Seed::TableSamples);
}

bool LocalServer::open(const QString &databasePath, TableStore::Seed seed)
{
    auto store = std::make_unique<TableStore>();
    QString error;
    if (!store->open(databasePath, &error, seed)) {
        m_log.line(QStringLiteral("cannot open tables in %1: %2").arg(databasePath, error));
        return false;
    }
    auto modules = std::make_unique<Modules>(*store);
    if (!modules->prepare(&error)) {
        m_log.line(QStringLiteral("cannot prepare the module tables in %1: %2").arg(databasePath, error));
        return false;
    }
    m_store = std::move(store);
    m_tables = std::make_unique<TableService>(*m_store);
    m_modules = std::move(modules);
    m_search = std::make_unique<Search>(*m_store);
    connect(m_search.get(), &Search::toClient, this, &LocalServer::sendTo);
    connect(m_search.get(), &Search::recordChanged, this, &LocalServer::onRecordChanged);
    m_log.line(QStringLiteral("tables in %1").arg(databasePath));
    return true;
}

bool LocalServer::openInstallation(const QString &folder, bool live)
{
    if (!open(QDir(folder).filePath(QStringLiteral("localserver.db")), TableStore::Seed::Nothing))
        return false;
    m_folder = folder;
    if (m_store->isFresh()) {
        m_demo = std::make_unique<DemoArchive>(*m_store, m_log, folder);
        connect(m_demo.get(), &DemoArchive::recordChanged, this, &LocalServer::onRecordChanged);
        m_demo->start();
    }
    m_archive = std::make_unique<ArchivePlayer>(*m_store, m_log, folder);
    connect(m_archive.get(), &ArchivePlayer::toClient, this, &LocalServer::sendTo);
    if (live) {
        m_live = std::make_unique<LiveStreams>(*m_store, m_log, m_liveClip);
        connect(m_live.get(), &LiveStreams::recordChanged, this, &LocalServer::onRecordChanged);
        m_live->syncAll();
        m_detection = std::make_unique<Detection>(*m_modules, *m_live);
        connect(m_detection.get(), &Detection::detected, this, &LocalServer::broadcast);
    }
    return true;
}

void LocalServer::onNewConnection()
{
    while (QWebSocket *client = m_server.nextPendingConnection()) {
        const QString peer = QStringLiteral("%1:%2").arg(client->peerAddress().toString()).arg(client->peerPort());
        if (client->requestUrl().path() != QLatin1String("/loader")) {
            m_log.line(QStringLiteral("refused %1: path '%2' is not /loader").arg(peer, client->requestUrl().path()));
            client->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("unknown path"));
            client->deleteLater();
            continue;
        }
        client->setMaxAllowedIncomingMessageSize(kMaxRequestSize);
        m_clients.append(client);
        m_log.line(QStringLiteral("client connected %1").arg(peer));
        connect(client, &QWebSocket::textMessageReceived, this,
                [this, client](const QString &text) { onTextMessage(client, text); });
        connect(client, &QWebSocket::binaryMessageReceived, this, [this, client](const QByteArray &data) {
            m_log.line(QStringLiteral("RECEIVED %1 bytes in a binary frame").arg(data.size()));
            sendError(client, QJsonObject(), QStringLiteral("Requests are JSON objects in text frames"));
        });
        connect(client, &QWebSocket::disconnected, this, [this, client, peer] {
            m_log.line(QStringLiteral("client disconnected %1").arg(peer));
            dropClient(client);
        });
        emit clientConnected();
    }
}

void LocalServer::dropClient(QWebSocket *client)
{
    if (m_clients.removeAll(client) == 0)
        return;
    if (m_archive)
        m_archive->dropClient(client);
    if (m_p2pTaps)
        m_p2pTaps->dropClient(client);
    client->deleteLater();
    emit clientDisconnected();
}

void LocalServer::onTextMessage(QWebSocket *client, const QString &text)
{
    m_log.line(QStringLiteral("RECEIVED %1").arg(ServerLog::redacted(text.simplified())));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (!document.isObject()) {
        const QString reason = error.error != QJsonParseError::NoError ? error.errorString() : QStringLiteral("not an object");
        sendError(client, QJsonObject(), QStringLiteral("Request is not a JSON object (%1)").arg(reason));
        return;
    }
    handleRequest(client, document.object());
}

void LocalServer::handleRequest(QWebSocket *client, const QJsonObject &request)
{
    const QJsonValue ctlValue = request.value(QStringLiteral("ctl"));
    const QJsonValue actionValue = request.value(QStringLiteral("action"));
    if (!ctlValue.isString() || !actionValue.isString()) {
        sendError(client, QJsonObject(), QStringLiteral("'ctl' and 'action' must be texts"));
        return;
    }
    const QString ctl = ctlValue.toString();
    const QString action = actionValue.toString();
    if (ctl == QLatin1String("app")) {
        handleApp(client, request);
        return;
    }
    if (!m_store) {
        sendError(client, request, QStringLiteral("Unknown controller '%1'").arg(ctl.left(64)));
        return;
    }
    if (ctl == QLatin1String("standin")) {
        handleControl(client, action, request);
    } else if (ctl == QLatin1String("cam")) {
        handleCam(client, action, request);
    } else if (ctl == QLatin1String("moduleSystem")) {
        send(client, answerTo(request, m_modules->handle(action, request)));
    } else if (ctl == QLatin1String("searchDevices") && m_search->handles(action)) {
        send(client, answerTo(request, m_search->handle(client, action, request)));
    } else if (ctl == QLatin1String("archivePlayer") && m_archive) {
        send(client, answerTo(request, m_archive->handle(client, action, request)));
    } else if (m_store->hasTable(ctl)) {
        handleTable(client, ctl, action, request);
    } else {
        sendError(client, request, QStringLiteral("Unknown controller '%1'").arg(ctl.left(64)));
    }
}

void LocalServer::handleCam(QWebSocket *client, const QString &action, const QJsonObject &request)
{
    if (action == QLatin1String("trRestartCamera")) {
        const qint64 rowId = request.value(QStringLiteral("rowID")).toVariant().toLongLong();
        QString reason = QStringLiteral("Live streams are off");
        if (!m_live || !m_live->restart(rowId, &reason)) {
            sendError(client, request, reason);
            return;
        }
        send(client, answerTo(request, {{"status", "OK"}, {"rowID", rowId}}));
        return;
    }
    if (action == QLatin1String("trInitP2PChannel")) {
        if (!m_p2pTaps)
            m_p2pTaps = std::make_unique<P2pChannelTaps>(m_live.get());
        send(client, answerTo(request, m_p2pTaps->handle(client, request)));
        return;
    }
    handleTable(client, QStringLiteral("cam"), action, request);
}

void LocalServer::handleControl(QWebSocket *client, const QString &action, const QJsonObject &request)
{
    const qint64 rowId = request.value(QStringLiteral("rowID")).toVariant().toLongLong();
    if (action == QLatin1String("trCutStream") || action == QLatin1String("trRestoreStream")) {
        if (!m_live || !m_live->setCut(rowId, action == QLatin1String("trCutStream"))) {
            sendError(client, request, QStringLiteral("Device %1 has no stream").arg(rowId));
            return;
        }
        send(client, answerTo(request, {{"status", "OK"}, {"rowID", rowId}}));
        return;
    }
    if (action == QLatin1String("trSendRectText") && request.value(QStringLiteral("rects")).isArray()) {
        broadcast({{"ctl", "cam"}, {"action", "srRectText"}, {"rstIDDevice", rowId},
                   {"dtCreate", QDateTime::currentMSecsSinceEpoch()}, {"rects", request.value(QStringLiteral("rects"))}});
        send(client, answerTo(request, {{"status", "OK"}, {"rowID", rowId}}));
        return;
    }
    sendError(client, request, QStringLiteral("Unknown action '%1' for controller 'standin'").arg(action.left(64)));
}

void LocalServer::handleTable(QWebSocket *client, const QString &ctl, const QString &action, const QJsonObject &request)
{
    const bool telegramChange = ctl == QLatin1String("telegramSettings")
        && (action == QLatin1String("trUpdate") || action == QLatin1String("trAdd"));
    QJsonObject reviewed = request;
    QString reason;
    TelegramLink::Step linkStep = TelegramLink::Step::None;
    if (telegramChange) {
        QJsonObject stored;
        if (action == QLatin1String("trUpdate"))
            m_store->find(ctl, request.value(QStringLiteral("rowID")).toVariant().toLongLong(), &stored);
        if (!m_telegram.review(&reviewed, stored, &linkStep, &reason)) {
            sendError(client, request, reason);
            return;
        }
    }
    if (action == QLatin1String("trAdd") && !m_folder.isEmpty()
        && QFile::remove(QDir(m_folder).filePath(QStringLiteral("refuse-next-add")))) {
        sendError(client, request, QStringLiteral("Adding is refused on request"));
        return;
    }
    const TableService::Outcome outcome = m_tables->handle(ctl, action, reviewed);
    send(client, answerTo(request, outcome.payload));
    if (outcome.notification.isEmpty())
        return;
    broadcast(outcome.notification);
    const qint64 rowId = outcome.payload.value(QStringLiteral("rowID")).toVariant().toLongLong();
    if (ctl == QLatin1String("cam") && m_live)
        m_live->sync(rowId);
    const QJsonObject linkNotification = m_telegram.afterChange(linkStep, reviewed, rowId);
    if (!linkNotification.isEmpty())
        broadcast(linkNotification);
}

void LocalServer::sendTo(QObject *client, const QJsonObject &message)
{
    for (QWebSocket *socket : qAsConst(m_clients)) {
        if (socket == client) {
            send(socket, message);
            return;
        }
    }
}

void LocalServer::onRecordChanged(const QString &table, const QString &notification, qint64 rowId)
{
    broadcast(TableService::notification(table, notification, rowId));
}

void LocalServer::handleApp(QWebSocket *client, const QJsonObject &request)
{
    const QString action = request.value(QStringLiteral("action")).toString();
    if (action == QLatin1String("trShutdownServer")) {
        m_log.line(QStringLiteral("shutdown requested"));
        emit shutdownRequested();
    } else if (action == QLatin1String("trCloseConnection")) {
        m_log.line(QStringLiteral("closing connection on request"));
        client->close(QWebSocketProtocol::CloseCodeNormal, QString());
    } else {
        sendError(client, request, QStringLiteral("Unknown action '%1' for controller 'app'").arg(action));
    }
}

QJsonObject LocalServer::answerTo(const QJsonObject &request, const QJsonObject &payload)
{
    QJsonObject answer = payload;
    for (auto it = request.begin(); it != request.end(); ++it) {
        if (it.key().startsWith(QLatin1Char('_')))
            answer.insert(it.key(), it.value());
    }
    answer.insert(QStringLiteral("ctl"), request.value(QStringLiteral("ctl")));
    QString action = request.value(QStringLiteral("action")).toString();
    if (action.startsWith(QLatin1String("tr")))
        action.replace(0, 2, QStringLiteral("sa"));
    answer.insert(QStringLiteral("action"), action);
    return answer;
}

void LocalServer::sendError(QWebSocket *client, const QJsonObject &request, const QString &errorMessage)
{
    QJsonObject answer = answerTo(request, QJsonObject{{QStringLiteral("status"), QStringLiteral("ERROR")},
                                                       {QStringLiteral("errorMessage"), errorMessage}});
    send(client, answer);
}

void LocalServer::send(QWebSocket *client, const QJsonObject &message)
{
    const QString text = compact(message);
    m_log.line(QStringLiteral("SENT %1").arg(ServerLog::redacted(text)));
    client->sendTextMessage(text);
}

void LocalServer::broadcast(const QJsonObject &message)
{
    for (QWebSocket *client : qAsConst(m_clients))
        send(client, message);
}

} // namespace Standin
