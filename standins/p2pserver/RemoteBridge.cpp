#include "RemoteBridge.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebSocket>

namespace Standin {

RemoteBridge::RemoteBridge(ServerLog &log, const QString &sign, const QString &secret, const QUrl &localServer,
                           QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_sign(sign)
    , m_secret(secret)
    , m_localServer(localServer)
{
    m_retry.setInterval(1000);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] { m_socket.connectToHost(m_host, m_port); });
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_log.line(QStringLiteral("bridge connected to the P2P server, logging in as '%1'").arg(m_sign));
        sendFrame({{"FN", "auth_trAuth"}, {"SID", m_secret}});
    });
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        m_log.line(QStringLiteral("bridge lost the P2P server; retrying"));
        m_retry.start();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (m_socket.state() == QAbstractSocket::UnconnectedState)
            m_retry.start();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &RemoteBridge::onReadyRead);
}

RemoteBridge::~RemoteBridge()
{
    // The socket outlives the retry timer; its last signals must not reach a half-destroyed bridge.
    m_socket.disconnect(this);
    for (const LocalLink &link : qAsConst(m_links))
        delete link.socket;
}

void RemoteBridge::connectTo(const QString &host, quint16 port)
{
    m_host = host;
    m_port = port;
    m_socket.connectToHost(host, port);
}

void RemoteBridge::onReadyRead()
{
    if (!m_reader.append(m_socket.readAll())) {
        m_log.line(QStringLiteral("bridge: oversized frame dropped"));
        return;
    }
    for (const QByteArray &body : m_reader.takeBodies()) {
        const QJsonArray items = QJsonDocument::fromJson(body).array();
        for (const QJsonValue &item : items) {
            if (item.isObject())
                handle(item.toObject());
        }
    }
}

void RemoteBridge::handle(const QJsonObject &message)
{
    const QString fn = message.value(QStringLiteral("FN")).toString();
    if (fn == QLatin1String("auth_saAuth")) {
        m_log.line(QStringLiteral("bridge logged in"));
        emit loggedIn();
    } else if (fn == QLatin1String("auth_saFailed")) {
        m_log.line(QStringLiteral("bridge log-in refused: %1").arg(message.value(QStringLiteral("errorMessage")).toString()));
    } else if (fn == QLatin1String("singleTcpRelay_srSendRequest") && message.value(QStringLiteral("message")).isString()) {
        forwardToLocalServer(message.value(QStringLiteral("remoteSign")).toString(), message.value(QStringLiteral("message")).toString());
    } else {
        m_log.line(QStringLiteral("bridge ignores '%1'").arg(fn));
    }
}

void RemoteBridge::forwardToLocalServer(const QString &clientSign, const QString &text)
{
    LocalLink &link = m_links[clientSign];
    if (!link.socket) {
        link.socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
        QWebSocket *socket = link.socket;
        connect(socket, &QWebSocket::connected, this, [this, clientSign] {
            LocalLink &l = m_links[clientSign];
            for (const QString &pending : qAsConst(l.pending))
                l.socket->sendTextMessage(pending);
            l.pending.clear();
        });
        connect(socket, &QWebSocket::textMessageReceived, this, [this, clientSign](const QString &answer) {
            sendFrame({{"FN", "singleTcpRelay_trSendRequest"}, {"remoteSign", clientSign}, {"message", answer}});
        });
        socket->open(m_localServer);
    }
    if (link.socket->state() == QAbstractSocket::ConnectedState)
        link.socket->sendTextMessage(text);
    else
        link.pending.append(text);
}

void RemoteBridge::sendFrame(const QJsonObject &message)
{
    QJsonObject signedMessage = message;
    signedMessage.insert(QStringLiteral("SIGN"), m_sign);
    m_socket.write(FrameReader::encode({signedMessage}));
}

} // namespace Standin
