#include "P2pServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>

namespace Standin {

namespace {
constexpr int kSuccess = 10;
constexpr int kFailure = 0;

QString peerName(const QTcpSocket *socket)
{
    return QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
}
} // namespace

P2pServer::P2pServer(ServerLog &log, const QString &databasePath, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_accounts(databasePath)
    , m_tables(databasePath, [this](const QJsonObject &message) { broadcast(message); })
{
    connect(&m_server, &QTcpServer::newConnection, this, &P2pServer::onNewConnection);
}

bool P2pServer::listen(const QHostAddress &address, quint16 port)
{
    if (!m_accounts.isOpen() || !m_tables.isOpen()) {
        m_log.line(QStringLiteral("cannot open the account store"));
        return false;
    }
    if (!m_server.listen(address, port)) {
        m_log.line(QStringLiteral("cannot listen on %1:%2: %3").arg(address.toString()).arg(port).arg(m_server.errorString()));
        return false;
    }
    m_log.line(QStringLiteral("P2P server listening on %1:%2").arg(address.toString()).arg(m_server.serverPort()));
    return true;
}

quint16 P2pServer::port() const
{
    return m_server.serverPort();
}

AccountStore &P2pServer::accounts()
{
    return m_accounts;
}

void P2pServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_connections.insert(socket, Connection());
        m_log.line(QStringLiteral("client connected %1").arg(peerName(socket)));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_log.line(QStringLiteral("client disconnected %1 (sign '%2')").arg(peerName(socket), m_connections.value(socket).sign));
            m_connections.remove(socket);
            socket->deleteLater();
        });
    }
}

void P2pServer::onReadyRead(QTcpSocket *socket)
{
    Connection &connection = m_connections[socket];
    const QByteArray bytes = socket->readAll();
    m_bytesReceived += bytes.size();
    if (!connection.reader.append(bytes)) {
        m_log.line(QStringLiteral("frame from %1 exceeds %2 bytes without a terminator; dropped").arg(peerName(socket)).arg(FrameReader::kMaxBuffered));
        return;
    }
    for (const QByteArray &body : connection.reader.takeBodies()) {
        m_log.line(QStringLiteral("RECEIVED %1").arg(QString::fromUtf8(body)));
        const QJsonDocument document = QJsonDocument::fromJson(body);
        if (!document.isArray()) {
            m_log.line(QStringLiteral("frame is not a JSON array; dropped"));
            refuse(socket, QStringLiteral("server_saFailed"), QStringLiteral("A frame must hold a JSON array"));
            continue;
        }
        for (const QJsonValue &item : document.array()) {
            if (item.isObject())
                handle(socket, item.toObject());
            else {
                m_log.line(QStringLiteral("frame item is not an object; skipped"));
                refuse(socket, QStringLiteral("server_saFailed"), QStringLiteral("Every item of a frame must be an object"));
            }
        }
    }
}

void P2pServer::handle(QTcpSocket *socket, const QJsonObject &message)
{
    const QString fn = message.value(QStringLiteral("FN")).toString();
    const QStringList parts = fn.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (parts.size() != 2) {
        m_log.line(QStringLiteral("bad command '%1'; dropped").arg(fn));
        refuse(socket, QStringLiteral("server_saFailed"), QStringLiteral("Bad command '%1'").arg(fn));
        return;
    }
    emit commandReceived(m_connections.value(socket).sign, fn);
    if (parts.at(0) == QLatin1String("auth")) {
        handleAuth(socket, parts.at(1), message);
        return;
    }
    if (m_connections.value(socket).sign.isEmpty()) {
        refuse(socket, QStringLiteral("auth_saFailed"), QStringLiteral("Log in before '%1'").arg(fn));
        return;
    }
    if (fn == QLatin1String("singleTcpRelay_trSendRequest"))
        relay(socket, message);
    else if (fn == QLatin1String("peersManager_trOpenPortOnRemote"))
        openPort(socket, message);
    else if (fn == QLatin1String("peersManager_taOpenPortOnRemote"))
        answerOpenPort(socket, message);
    else if (parts.at(0) == QLatin1String("peersManager") && TableCommands::handles(parts.at(1)))
        m_tables.handle(parts.at(1), message, m_connections.value(socket).sign, [this, socket](const QJsonObject &answer) { send(socket, answer); });
    else
        refuse(socket, parts.at(0) + QStringLiteral("_saFailed"), QStringLiteral("Unsupported command '%1'").arg(fn));
}

void P2pServer::handleAuth(QTcpSocket *socket, const QString &action, const QJsonObject &message)
{
    if (action == QLatin1String("trSignup")) {
        const auto account = m_accounts.create();
        send(socket, {{"FN", "auth_saSignup"}, {"RES", kSuccess}, {"sign", account.first}, {"secretKey", account.second}});
        return;
    }
    if (action != QLatin1String("trAuth")) {
        refuse(socket, QStringLiteral("auth_saFailed"), QStringLiteral("Unsupported command 'auth_%1'").arg(action));
        return;
    }
    const QString sign = message.value(QStringLiteral("SIGN")).toString();
    if (!m_accounts.check(sign, message.value(QStringLiteral("SID")).toString())) {
        refuse(socket, QStringLiteral("auth_saFailed"), QStringLiteral("Unknown sign or wrong secret"));
        return;
    }
    // A sign logs in once: a newer connection replaces an older one.
    if (QTcpSocket *older = connectionOf(sign))
        m_connections[older].sign.clear();
    m_connections[socket].sign = sign;
    send(socket, {{"FN", "auth_saAuth"}, {"RES", kSuccess}});
    emit loggedIn(sign);
}

void P2pServer::relay(QTcpSocket *socket, const QJsonObject &message)
{
    QTcpSocket *target = connectionOf(message.value(QStringLiteral("remoteSign")).toString());
    if (!target) {
        refuse(socket, QStringLiteral("singleTcpRelay_saSendRequest"), QStringLiteral("The remote installation is not connected"));
        return;
    }
    QJsonObject delivered = message;
    delivered.insert(QStringLiteral("FN"), QStringLiteral("singleTcpRelay_srSendRequest"));
    delivered.insert(QStringLiteral("remoteSign"), m_connections.value(socket).sign);
    delivered.remove(QStringLiteral("SIGN"));
    delivered.remove(QStringLiteral("RECEIVER"));
    send(target, delivered);
}

void P2pServer::openPort(QTcpSocket *socket, const QJsonObject &message)
{
    QTcpSocket *target = connectionOf(message.value(QStringLiteral("remoteSign")).toString());
    if (!target) {
        refuse(socket, QStringLiteral("peersManager_saOpenPortOnRemote"), QStringLiteral("The remote installation is not connected"));
        return;
    }
    send(target, {{"FN", "peersManager_srOpenPortOnRemote"},
                  {"remoteSign", m_connections.value(socket).sign},
                  {"remoteSocketId", message.value("yourSocketId")},
                  {"remoteGlobalIp", message.value("yourGlobalIp")},
                  {"remoteGlobalPort", message.value("yourGlobalPort")},
                  {"remoteLocalIp", message.value("yourLocalIp")},
                  {"remoteLocalPort", message.value("yourLocalPort")},
                  {"streamKey", message.value("streamKey")},
                  {"portType", message.value("portType")}});
    send(socket, {{"FN", "peersManager_saOpenPortOnRemote"}, {"RES", kSuccess}, {"RECEIVER", message.value("RECEIVER")}});
}

void P2pServer::answerOpenPort(QTcpSocket *socket, const QJsonObject &message)
{
    QTcpSocket *target = connectionOf(message.value(QStringLiteral("yourSign")).toString());
    if (!target) {
        m_log.line(QStringLiteral("open-port answer for a sign that is not connected; dropped"));
        return;
    }
    QJsonObject forwarded{{"FN", "peersManager_srOpenPortOnExistsRemote"},
                          {"remoteSign", m_connections.value(socket).sign},
                          {"yourSocketId", message.value("yourSocketId")},
                          {"remoteGlobalIp", message.value("yourGlobalIp")},
                          {"remoteGlobalPort", message.value("yourGlobalPort")},
                          {"remoteLocalIp", message.value("yourLocalIp")},
                          {"remoteLocalPort", message.value("yourLocalPort")}};
    // A refusal travels on with its reason.
    for (const char *key : {"RES", "errorMessage"}) {
        if (message.contains(QLatin1String(key)))
            forwarded.insert(QLatin1String(key), message.value(QLatin1String(key)));
    }
    send(target, forwarded);
}

QTcpSocket *P2pServer::connectionOf(const QString &sign) const
{
    if (sign.isEmpty())
        return nullptr;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it.value().sign == sign)
            return it.key();
    }
    return nullptr;
}

void P2pServer::refuse(QTcpSocket *socket, const QString &fn, const QString &errorMessage)
{
    send(socket, {{"FN", fn}, {"RES", kFailure}, {"errorMessage", errorMessage}});
}

void P2pServer::broadcast(const QJsonObject &message)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (!it.value().sign.isEmpty())
            send(it.key(), message);
    }
}

void P2pServer::send(QTcpSocket *socket, const QJsonObject &message)
{
    const QByteArray frame = FrameReader::encode({message});
    m_log.line(QStringLiteral("SENT %1").arg(QString::fromUtf8(frame)));
    m_bytesSent += qMax<qint64>(0, socket->write(frame));
}

} // namespace Standin
