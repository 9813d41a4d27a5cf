#include "client_base/other/peer/PeerBase.h"

#include "client_base/other/peer/ResolverAnswer.h"
#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/log/LogText.h"
#include "nt_common/core/thread/ThreadHandover.h"

#include <QDebug>
#include <QHostAddress>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QUuid>

#include <iostream>
#include <stdexcept>

namespace {

constexpr int kHolePunchingIntervalMs = 1500;
// "trPeerInfo" goes out this many times, one timer period apart, before the peer gives up.
constexpr int kResolveAttempts = 6;
constexpr int kSocketWaitMs = 30000;

QString locationTag(const char *function)
{
    return NtCommon::LocationTag::make(QStringLiteral("..\\src\\client_base\\other\\peer\\PeerBase"),
                                       QString::fromLatin1(function));
}

std::string text(const QByteArray &bytes)
{
    return bytes.toStdString();
}

std::string text(const QString &string)
{
    return string.toStdString();
}

} // namespace

PeerBase::PeerBase(const QJsonObject &initParams, const std::function<void(PeerBase &)> &beforeStart)
    : m_socketId(QUuid::createUuid().toString())
    , m_loggerName("main")
{
    m_initParams.set(initParams);

    // Connected here rather than in run(): a request made before the thread
    // reaches its event loop waits in the queue instead of being lost.
    connect(this, &PeerBase::resolveGlobalAddress, this, &PeerBase::resolveGlobalAddressSlot, Qt::QueuedConnection);
    connect(this, &PeerBase::startHolePunching, this, &PeerBase::startHolePunchingSlot);
    connect(this, &PeerBase::makeReleasedFromHost, this, &PeerBase::makeReleasedFromHostSlot);

    moveToThread(this);
    if (beforeStart)
        beforeStart(*this);
    start();
}

PeerBase::~PeerBase()
{
    quit();
    wait();
}

bool PeerBase::wait(QDeadlineTimer deadline)
{
    return NtCommon::ThreadHandover::wait(this, deadline);
}

void PeerBase::run()
{
    static const QString tag = locationTag("PeerBase::run");
    reportFailures(tag, [this] {
        const QJsonObject params = initParams();
        m_isTcp = params.contains(QStringLiteral("socketType"))
            && params.value(QStringLiteral("socketType")).toString().toLower() == QStringLiteral("tcp");
        if (m_isTcp)
            m_socket = NtCommon::SharedPointerEx<QAbstractSocket>(new QTcpSocket);
        else
            m_socket = NtCommon::SharedPointerEx<QAbstractSocket>(new QUdpSocket);
        m_holePunchingTimer = NtCommon::SharedPointerEx<QTimer>(new QTimer);
        m_holePunchingTimer->setInterval(kHolePunchingIntervalMs);

        if (params.contains(QStringLiteral("yourLocalPort"))) {
            const int requested = params.value(QStringLiteral("yourLocalPort")).toInt(-1);
            if (requested >= 0 && requested <= 65535) {
                bindLocalPort(static_cast<quint16>(requested));
            } else {
                log(spdlog::level::err, "PeerBase id: '{0}' got an invalid yourLocalPort '{1}'; binding an even port instead.",
                    text(m_socketId), text(QJsonDocument(params).toJson(QJsonDocument::Compact)));
                bindEvenPort();
            }
        } else {
            bindEvenPort();
        }

        connect(m_socket.data(), &QAbstractSocket::readyRead, this, &PeerBase::onReadyRead);
        connect(m_holePunchingTimer.data(), &QTimer::timeout, this, &PeerBase::holePunching);
    });

    emit bound(QJsonObject{{QStringLiteral("yourSocketId"), m_socketId}, {QStringLiteral("yourLocalPort"), yourLocalPort()}});
    emit inited(QJsonObject{{QStringLiteral("yourSocketId"), m_socketId}});
    exec();

    // Created on this thread, so destroyed on it too.
    m_holePunchingTimer.reset();
    m_socket.reset();
    NtCommon::ThreadHandover::release(this);
}

void PeerBase::bindEvenPort()
{
    // The RTP port must be even; the RTCP peer asks for the port after it.
    for (;;) {
        if (!m_socket->bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress)) {
            log(spdlog::level::err, "PeerBase id: '{0}' cannot bind any local port: '{1}'.",
                text(m_socketId), text(m_socket->errorString()));
            break;
        }
        if (m_socket->localPort() % 2 == 0)
            break;
        m_socket->abort();
    }
    setYourLocalPort(m_socket->localPort());
}

void PeerBase::bindLocalPort(quint16 port)
{
    if (!m_socket->bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress)) {
        // The peer stays usable on another port rather than not at all: its
        // owner reads yourLocalPort back and announces the port really held.
        log(spdlog::level::err, "PeerBase id: '{0}' cannot bind local port {1}: '{2}'; binding a free port instead.",
            text(m_socketId), port, text(m_socket->errorString()));
        m_socket->abort();
        if (!m_socket->bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress))
            log(spdlog::level::err, "PeerBase id: '{0}' cannot bind any local port: '{1}'.",
                text(m_socketId), text(m_socket->errorString()));
    }
    setYourLocalPort(m_socket->localPort());
}

void PeerBase::rebind()
{
    m_socket->abort();
    bindLocalPort(yourLocalPort());
}

void PeerBase::resolveGlobalAddressSlot()
{
    static const QString tag = locationTag("PeerBase::resolveGlobalAddressSlot");
    reportFailures(tag, [this] {
        setSocketConnectionMode(SocketConnectionMode::ResolvingGlobalAddress);
        m_holePunchingTimer->stop();
        m_resolveAttempts = 0;
        const QString host = m_resolverAddress.get();
        const quint16 port = m_resolverPort.get();
        // A peer asked again, or released, starts over from its own port.
        if (m_socket->state() != QAbstractSocket::BoundState)
            rebind();
        if (!host.isEmpty() && port != 0) {
            m_socket->connectToHost(host, port);
            // Also for UDP: a host name is looked up before the socket is connected.
            m_socket->waitForConnected(kSocketWaitMs);
        }
        if (m_socket->state() != QAbstractSocket::ConnectedState) {
            giveUpResolving(QStringLiteral("The address resolver '%1:%2' cannot be reached: %3")
                                .arg(host).arg(port).arg(m_socket->errorString()));
            return;
        }
        expectFrom(m_socket->peerAddress(), m_socket->peerPort());
        const QString localIp = m_socket->localAddress().toString();
        setYourLocalIp(localIp);
        qDebug() << "_yourLocalIp" << localIp;
        trPeerInfo();
        // The same timer resends the request until an answer comes.
        m_holePunchingTimer->start();
    });
}

void PeerBase::trPeerInfo()
{
    static const QString tag = locationTag("PeerBase::trPeerInfo");
    reportFailures(tag, [this] {
        ++m_resolveAttempts;
        const QJsonObject request{{QStringLiteral("fn"), QStringLiteral("trPeerInfo")}};
        send(QJsonDocument(request).toJson(QJsonDocument::Indented));
    });
}

void PeerBase::giveUpResolving(const QString &message)
{
    m_holePunchingTimer->stop();
    setSocketConnectionMode(SocketConnectionMode::Initial);
    log(spdlog::level::err, "PeerBase id: '{0}': {1}.", text(m_socketId), text(message));
    emit failed(QJsonObject{{QStringLiteral("yourSocketId"), m_socketId}, {QStringLiteral("errorMessage"), message}});
}

void PeerBase::expectFrom(const QHostAddress &address, quint16 port)
{
    m_expectedAddress = address;
    m_expectedPort = port;
}

void PeerBase::onReadyRead()
{
    static const QString tag = locationTag("PeerBase::onReadyRead");
    reportFailures(tag, [this] {
        const SocketConnectionMode mode = socketConnectionMode();
        switch (mode) {
        case SocketConnectionMode::ResolvingGlobalAddress:
            readResolverAnswers();
            break;
        case SocketConnectionMode::HolePunching:
            readProbes();
            break;
        case SocketConnectionMode::Connected:
            readPending(false);
            break;
        default:
            qDebug() << "UNDEFINED CONNECTION MODE DETECTED:" << static_cast<int>(mode);
            for (const QByteArray &data : readPending(false))
                qDebug() << "datagram.data():" << NtCommon::LogText::untrusted(data);
            break;
        }
    });
}

QList<QByteArray> PeerBase::readPending(bool fromExpectedOnly)
{
    QList<QByteArray> payloads;
    if (m_isTcp) {
        const QByteArray all = m_socket->readAll();
        if (!all.isEmpty())
            payloads << all;
        return payloads;
    }
    auto *udp = qobject_cast<QUdpSocket *>(m_socket.data());
    while (udp->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udp->receiveDatagram();
        // An ICMP error surfaced by a connected socket reads as an invalid datagram.
        if (!datagram.isValid())
            break;
        const bool fromExpected = datagram.senderPort() == m_expectedPort
            && datagram.senderAddress().isEqual(m_expectedAddress, QHostAddress::TolerantConversion);
        if (fromExpectedOnly && !fromExpected) {
            log(spdlog::level::warn, "PeerBase id: '{0}' ignores a datagram from {1}:{2}, which it does not expect.",
                text(m_socketId), text(datagram.senderAddress().toString()), datagram.senderPort());
            continue;
        }
        payloads << datagram.data();
    }
    return payloads;
}

void PeerBase::readResolverAnswers()
{
    for (const QByteArray &data : readPending()) {
        const ResolverAnswer answer = ResolverAnswer::read(data);
        if (answer.kind == ResolverAnswer::Kind::NotJson) {
            log(spdlog::level::warn, "PeerBase failed to parse data to json. Error description: '{0}',\n data: '{1}'!",
                text(answer.parseError), text(NtCommon::LogText::untrusted(data)));
            continue;
        }
        if (answer.kind == ResolverAnswer::Kind::NotObject) {
            log(spdlog::level::warn, "Incoming json is not object. Incoming json: '{0}'!", text(NtCommon::LogText::untrusted(data)));
            continue;
        }
        log(spdlog::level::info, "PeerBase id: '{0}' received '{1}'", text(m_socketId),
            text(NtCommon::LogText::message(QJsonDocument(answer.object).toJson(QJsonDocument::Compact))));
        if (answer.kind == ResolverAnswer::Kind::BadAddress)
            log(spdlog::level::warn, "PeerBase id: '{0}' ignores an answer without a valid globalIp and globalPort: '{1}'!",
                text(m_socketId), text(NtCommon::LogText::message(QJsonDocument(answer.object).toJson(QJsonDocument::Compact))));
        if (answer.kind == ResolverAnswer::Kind::GlobalAddress) {
            acceptGlobalAddress(answer);
            return;
        }
    }
}

void PeerBase::acceptGlobalAddress(const ResolverAnswer &answer)
{
    setYourGlobalIp(answer.globalIp);
    setYourGlobalPort(answer.globalPort);
    // Punch from the very port the resolver saw, so that the NAT mapping it
    // reported is the one the remote peer aims at.
    m_holePunchingTimer->stop();
    rebind();
    setSocketConnectionMode(SocketConnectionMode::GlobalAddressResolved);
    emit globalAdressIsDescavered(QJsonObject{{QStringLiteral("yourSocketId"), m_socketId}});
}

void PeerBase::readProbes()
{
    qDebug() << "HOLE_PUNCHING...";
    for (const QByteArray &data : readPending()) {
        qDebug() << "datagram.data():" << NtCommon::LogText::untrusted(data);
        const bool isProbe = data.contains("HELLO") || data.contains("RECEIVED");
        if (!isProbe || socketConnectionMode() == SocketConnectionMode::Connected)
            continue;
        qDebug() << "send RECEIVED";
        send(QByteArrayLiteral("RECEIVED"));
        m_holePunchingTimer->stop();
        setSocketConnectionMode(SocketConnectionMode::Connected);
        if (m_isTcp)
            m_socket->waitForBytesWritten(kSocketWaitMs);
        emit connectionEstablished(QJsonObject{{QStringLiteral("yourSocketId"), m_socketId}});
    }
}

void PeerBase::startHolePunchingSlot()
{
    static const QString tag = locationTag("PeerBase::startHolePunchingSlot");
    reportFailures(tag, [this] {
        const SocketConnectionMode mode = socketConnectionMode();
        if (mode == SocketConnectionMode::HolePunching || mode == SocketConnectionMode::Connected)
            return;

        const QPair<QString, quint16> target = holePunchingTarget();
        const QString targetIp = target.first;
        const quint16 targetPort = target.second;
        // Checked before anything changes, so that the owner may fix the addresses and ask again.
        if (QHostAddress(targetIp).isNull() || targetPort == 0)
            throw std::runtime_error(QStringLiteral("hole punching target '%1:%2' is not a valid address")
                                         .arg(targetIp).arg(targetPort).toStdString());

        setSocketConnectionMode(SocketConnectionMode::HolePunching);
        if (m_socket->state() != QAbstractSocket::BoundState)
            rebind();
        m_socket->connectToHost(targetIp, targetPort);
        m_socket->waitForConnected(kSocketWaitMs);
        expectFrom(QHostAddress(targetIp), targetPort);
        send(QByteArrayLiteral("HELLO"));
        m_holePunchingTimer->start();
    });
}

void PeerBase::holePunching()
{
    static const QString tag = locationTag("PeerBase::holePunching");
    reportFailures(tag, [this] {
        const SocketConnectionMode mode = socketConnectionMode();
        qDebug() << "PeerBase::holePunching" << "SocketConnectionMode" << static_cast<int>(mode);
        if (mode == SocketConnectionMode::HolePunching) {
            send(QByteArrayLiteral("HELLO"));
        } else if (mode == SocketConnectionMode::ResolvingGlobalAddress) {
            if (m_resolveAttempts >= kResolveAttempts)
                giveUpResolving(QStringLiteral("The address resolver did not answer"));
            else
                trPeerInfo();
        }
    });
}

void PeerBase::makeReleasedFromHostSlot(const QJsonObject &mapParams)
{
    static const QString tag = locationTag("PeerBase::makeReleasedFromHostSlot");
    reportFailures(tag, [this, &mapParams] {
        m_holePunchingTimer->stop();
        if (m_isTcp) {
            m_socket->disconnectFromHost();
            if (m_socket->state() != QAbstractSocket::UnconnectedState)
                m_socket->waitForDisconnected(kSocketWaitMs);
        }
        // Frees the port at once, so that the player can bind it.
        m_socket->abort();
        setSocketConnectionMode(SocketConnectionMode::ReleasedFromHost);
        QJsonObject answer = mapParams;
        answer.insert(QStringLiteral("socketId"), m_socketId);
        emit releasedFromHost(answer);
    });
}

void PeerBase::send(const QByteArray &payload)
{
    if (m_socket->write(payload) != payload.size())
        log(spdlog::level::warn, "PeerBase id: '{0}' failed to send '{1}': '{2}'.", text(m_socketId), text(payload),
            text(m_socket->errorString()));
}

template <class Step>
void PeerBase::reportFailures(const QString &tag, Step &&step)
{
    try {
        step();
    } catch (const std::exception &e) {
        log(spdlog::level::err, "{0} exception, {1}, description: '{2}'.", text(tag), std::string(), std::string(e.what()));
    } catch (...) {
        std::cerr << text(tag) << " UNDEFINED exception, ." << std::endl;
    }
}

template <class... Args>
void PeerBase::log(spdlog::level::level_enum level, spdlog::format_string_t<Args...> format, Args &&...args) const
{
    if (const auto logger = spdlog::get(m_loggerName))
        logger->log(level, format, std::forward<Args>(args)...);
}

QString PeerBase::socketId() const { return m_socketId; }
QString PeerBase::remoteSocketId() const { return m_remoteSocketId.get(); }
void PeerBase::setRemoteSocketId(const QString &value) { m_remoteSocketId.set(value); }
QString PeerBase::yourSign() const { return m_yourSign.get(); }
void PeerBase::setYourSign(const QString &value) { m_yourSign.set(value); }
QString PeerBase::remoteSign() const { return m_remoteSign.get(); }
void PeerBase::setRemoteSign(const QString &value) { m_remoteSign.set(value); }
QString PeerBase::yourPwd() const { return m_yourPwd.get(); }
void PeerBase::setYourPwd(const QString &value) { m_yourPwd.set(value); }
QString PeerBase::yourGlobalIp() const { return m_yourGlobalIp.get(); }
void PeerBase::setYourGlobalIp(const QString &value) { m_yourGlobalIp.set(value); }
quint16 PeerBase::yourGlobalPort() const { return m_yourGlobalPort.get(); }
void PeerBase::setYourGlobalPort(quint16 value) { m_yourGlobalPort.set(value); }
QString PeerBase::yourLocalIp() const { return m_yourLocalIp.get(); }
void PeerBase::setYourLocalIp(const QString &value) { m_yourLocalIp.set(value); }
quint16 PeerBase::yourLocalPort() const { return m_yourLocalPort.get(); }
void PeerBase::setYourLocalPort(quint16 value) { m_yourLocalPort.set(value); }
QString PeerBase::remoteGlobalIp() const { return m_remoteGlobalIp.get(); }
void PeerBase::setRemoteGlobalIp(const QString &value) { m_remoteGlobalIp.set(value); }
quint16 PeerBase::remoteGlobalPort() const { return m_remoteGlobalPort.get(); }
void PeerBase::setRemoteGlobalPort(quint16 value) { m_remoteGlobalPort.set(value); }
QString PeerBase::remoteLocalIp() const { return m_remoteLocalIp.get(); }
void PeerBase::setRemoteLocalIp(const QString &value) { m_remoteLocalIp.set(value); }
quint16 PeerBase::remoteLocalPort() const { return m_remoteLocalPort.get(); }
void PeerBase::setRemoteLocalPort(quint16 value) { m_remoteLocalPort.set(value); }
QJsonObject PeerBase::initParams() const { return m_initParams.get(); }
void PeerBase::setResolverEndpoint(const QString &host, quint16 port)
{
    m_resolverAddress.set(host);
    m_resolverPort.set(port);
}
bool PeerBase::isInitializer() const { return m_isInitializer.get(); }
void PeerBase::setIsInitializer(bool value) { m_isInitializer.set(value); }
QPair<QString, quint16> PeerBase::holePunchingTarget() const
{
    // Both peers behind the same public address reach each other inside that network.
    const QHostAddress ownGlobal(yourGlobalIp());
    const QHostAddress remoteGlobal(remoteGlobalIp());
    const bool sameNetwork = !ownGlobal.isNull() && ownGlobal.isEqual(remoteGlobal, QHostAddress::TolerantConversion);
    return sameNetwork ? qMakePair(remoteLocalIp(), remoteLocalPort()) : qMakePair(remoteGlobalIp(), remoteGlobalPort());
}

SocketConnectionMode PeerBase::socketConnectionMode() const { return m_socketConnectionMode.get(); }
void PeerBase::setSocketConnectionMode(SocketConnectionMode mode) { m_socketConnectionMode.set(mode); }
