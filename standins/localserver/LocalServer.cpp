#include "LocalServer.h"

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
    auto store = std::make_unique<TableStore>();
    QString error;
    if (!store->open(databasePath, &error)) {
        m_log.line(QStringLiteral("cannot open tables in %1: %2").arg(databasePath, error));
        return false;
    }
    m_store = std::move(store);
    m_tables = std::make_unique<TableService>(*m_store);
    m_log.line(QStringLiteral("tables in %1").arg(databasePath));
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
    client->deleteLater();
    emit clientDisconnected();
}

void LocalServer::onTextMessage(QWebSocket *client, const QString &text)
{
    m_log.line(QStringLiteral("RECEIVED %1").arg(text.simplified()));
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
    const QString ctl = request.value(QStringLiteral("ctl")).toString();
    if (ctl == QLatin1String("app")) {
        handleApp(client, request);
        return;
    }
    if (m_store && m_store->hasTable(ctl)) {
        const TableService::Outcome outcome = m_tables->handle(ctl, request.value(QStringLiteral("action")).toString(), request);
        send(client, answerTo(request, outcome.payload));
        if (!outcome.notification.isEmpty())
            broadcast(outcome.notification);
        return;
    }
    sendError(client, request, QStringLiteral("Unknown controller '%1'").arg(ctl));
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
    m_log.line(QStringLiteral("SENT %1").arg(text));
    client->sendTextMessage(text);
}

void LocalServer::broadcast(const QJsonObject &message)
{
    for (QWebSocket *client : qAsConst(m_clients))
        send(client, message);
}

} // namespace Standin
