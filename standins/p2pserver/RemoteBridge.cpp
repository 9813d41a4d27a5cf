#include "RemoteBridge.h"

#include "LocalServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebSocket>

namespace Standin {

namespace {
constexpr int kMaxStreamKeyLength = 128;
// Marks the bridge's own requests to the local server, whose answers stay here.
const QString kOwnRequest = QStringLiteral("_bridgeChannel");
const QString kCam = QStringLiteral("cam");
const QString kInitChannel = QStringLiteral("trInitP2PChannel");

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
} // namespace

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
        closeAllChannels(QStringLiteral("the P2P server connection was lost"));
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
    // Channels use the peers, which go before the children would.
    for (const Channel &entry : qAsConst(m_channels))
        delete entry.channel;
    for (const LocalLink &link : qAsConst(m_links))
        delete link.socket;
}

void RemoteBridge::connectTo(const QString &host, quint16 port)
{
    m_host = host;
    m_port = port;
    if (m_resolverHost.isEmpty())
        setResolver(host, m_resolverPort);
    m_socket.connectToHost(host, port);
}

void RemoteBridge::setResolver(const QString &host, quint16 port)
{
    m_resolverHost = host;
    m_resolverPort = port;
    m_peers.setResolverEndpoint(host, port);
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
    } else if (fn == QLatin1String("peersManager_srOpenPortOnExistsRemote") || fn == QLatin1String("peersManager_saOpenPortOnRemote")) {
        onChannelMessage(fn, message);
    } else {
        m_log.line(QStringLiteral("bridge ignores '%1'").arg(fn));
    }
}

void RemoteBridge::forwardToLocalServer(const QString &clientSign, const QString &text)
{
    const QString reviewed = reviewRequest(clientSign, text);
    if (!reviewed.isEmpty())
        sendToLocalServer(clientSign, reviewed);
}

void RemoteBridge::sendToLocalServer(const QString &clientSign, const QString &text)
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
            onLocalAnswer(clientSign, answer);
        });
        socket->open(m_localServer);
    }
    if (link.socket->state() == QAbstractSocket::ConnectedState)
        link.socket->sendTextMessage(text);
    else
        link.pending.append(text);
}

QString RemoteBridge::reviewRequest(const QString &clientSign, const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    QJsonObject request = document.object();
    if (request.value(QStringLiteral("ctl")).toString() != kCam || request.value(QStringLiteral("action")).toString() != kInitChannel)
        return text;
    // Only the bridge names the port the local server copies to.
    request.remove(QStringLiteral("forwardPort"));
    request.remove(kOwnRequest);
    const QJsonValue key = request.value(QStringLiteral("streamKey"));
    const QString streamKey = key.toString();
    if (!key.isString() || streamKey.isEmpty() || streamKey.size() > kMaxStreamKeyLength) {
        m_log.line(QStringLiteral("bridge: P2P channel request from '%1' without a usable 'streamKey'; refused").arg(clientSign));
        onLocalAnswer(clientSign, compact(LocalServer::answerTo(request, {{"status", "ERROR"},
                                                                          {"errorMessage", "'streamKey' must be a text of 1 to 128 characters"}})));
        return QString();
    }
    if (request.value(QStringLiteral("stop")).toBool()) {
        closeChannel(clientSign, streamKey, QStringLiteral("stopped by the client"));
        onLocalAnswer(clientSign, compact(LocalServer::answerTo(request, {{"status", "OK"}, {"streamKey", streamKey}})));
        return QString();
    }
    closeChannel(clientSign, streamKey, QStringLiteral("requested again"));
    int held = 0;
    for (const Channel &entry : qAsConst(m_channels))
        held += entry.channel->clientSign() == clientSign ? 1 : 0;
    if (held >= kMaxChannelsPerClient) {
        onLocalAnswer(clientSign, compact(LocalServer::answerTo(
                                      request, {{"status", "ERROR"},
                                                {"streamKey", streamKey},
                                                {"errorMessage", QStringLiteral("At most %1 P2P channels at a time").arg(kMaxChannelsPerClient)}})));
        return QString();
    }
    openChannel(clientSign, request);
    return QString();
}

void RemoteBridge::openChannel(const QString &clientSign, QJsonObject request)
{
    const QString streamKey = request.value(QStringLiteral("streamKey")).toString();
    auto *channel = new RemoteChannel(m_peers, clientSign, streamKey, m_nextChannelId++,
                                      [this](const QJsonObject &message) { sendFrame(message); }, this);
    if (!channel->openTap()) {
        delete channel;
        onLocalAnswer(clientSign, compact(LocalServer::answerTo(request, {{"status", "ERROR"},
                                                                          {"streamKey", streamKey},
                                                                          {"errorMessage", "The bridge has no free port"}})));
        return;
    }
    connect(channel, &RemoteChannel::failed, this, [this, clientSign, streamKey](const QString &reason) {
        closeChannel(clientSign, streamKey, reason);
    });
    connect(channel, &RemoteChannel::streaming, this, [this, clientSign, streamKey] {
        m_log.line(QStringLiteral("bridge: channel '%1' for '%2' streaming").arg(streamKey, clientSign));
        emit channelStreaming(clientSign, streamKey);
    });
    m_channels.append({channel, request.value(QStringLiteral("rowID")).toVariant().toLongLong()});
    m_log.line(QStringLiteral("bridge: channel '%1' for '%2' opening").arg(streamKey, clientSign));
    request.insert(QStringLiteral("forwardPort"), channel->tapPort());
    // Its peers start once the local server has the device's stream copied to the tap.
    sendToLocalServer(clientSign, compact(request));
}

void RemoteBridge::closeChannel(const QString &clientSign, const QString &streamKey, const QString &reason)
{
    for (int i = 0; i < m_channels.size(); ++i) {
        const Channel entry = m_channels.at(i);
        if (entry.channel->clientSign() != clientSign || entry.channel->streamKey() != streamKey)
            continue;
        m_channels.removeAt(i);
        sendToLocalServer(clientSign, compact({{"ctl", kCam},
                                               {"action", kInitChannel},
                                               {"rowID", entry.rowId},
                                               {"streamKey", streamKey},
                                               {"forwardPort", entry.channel->tapPort()},
                                               {"stop", true},
                                               {kOwnRequest, true}}));
        entry.channel->disconnect(this);
        // It may be the sender of the signal that brought us here.
        entry.channel->deleteLater();
        m_log.line(QStringLiteral("bridge: channel '%1' for '%2' closed: %3").arg(streamKey, clientSign, reason));
        emit channelClosed(clientSign, streamKey, reason);
        return;
    }
}

void RemoteBridge::closeAllChannels(const QString &reason)
{
    while (!m_channels.isEmpty())
        closeChannel(m_channels.first().channel->clientSign(), m_channels.first().channel->streamKey(), reason);
}

void RemoteBridge::onLocalAnswer(const QString &clientSign, const QString &answer)
{
    const QJsonObject object = QJsonDocument::fromJson(answer.toUtf8()).object();
    if (object.value(QStringLiteral("ctl")).toString() == kCam && object.value(QStringLiteral("action")).toString() == QLatin1String("saInitP2PChannel")) {
        if (object.value(kOwnRequest).toBool())
            return;
        const QString streamKey = object.value(QStringLiteral("streamKey")).toString();
        if (object.value(QStringLiteral("status")).toString() != QLatin1String("OK"))
            closeChannel(clientSign, streamKey, object.value(QStringLiteral("errorMessage")).toString().left(200));
        else if (RemoteChannel *channel = channelOf(clientSign, streamKey))
            channel->start();
    }
    sendFrame({{"FN", "singleTcpRelay_trSendRequest"}, {"remoteSign", clientSign}, {"message", answer}});
}

RemoteChannel *RemoteBridge::channelOf(const QString &clientSign, const QString &streamKey) const
{
    for (const Channel &entry : m_channels) {
        if (entry.channel->clientSign() == clientSign && entry.channel->streamKey() == streamKey)
            return entry.channel;
    }
    return nullptr;
}

void RemoteBridge::onChannelMessage(const QString &fn, const QJsonObject &message)
{
    if (fn == QLatin1String("peersManager_saOpenPortOnRemote")) {
        if (message.value(QStringLiteral("RES")).toInt() == 10)
            return;
        const qint64 channelId = message.value(QStringLiteral("RECEIVER")).toVariant().toLongLong();
        for (const Channel &entry : qAsConst(m_channels)) {
            if (entry.channel->channelId() == channelId)
                entry.channel->fail(QStringLiteral("the P2P server refused: %1").arg(message.value(QStringLiteral("errorMessage")).toString().left(200)));
        }
        return;
    }
    for (const Channel &entry : qAsConst(m_channels)) {
        if (entry.channel->handleOpenPortAnswer(message))
            return;
    }
    m_log.line(QStringLiteral("bridge: open-port answer for no open channel; dropped"));
}

void RemoteBridge::sendFrame(const QJsonObject &message)
{
    QJsonObject signedMessage = message;
    signedMessage.insert(QStringLiteral("SIGN"), m_sign);
    m_socket.write(FrameReader::encode({signedMessage}));
}

} // namespace Standin
