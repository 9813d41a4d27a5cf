#pragma once

#include "client_base/other/peer/GuardedValue.h"
#include "client_base/other/peer/SocketConnectionMode.h"
#include "nt_common/core/pointer/SharedPointerEx.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QThread>
#include <QTimer>

#include <spdlog/spdlog.h>

#include <functional>

class ResolverAnswer;
#include <string>

// One local UDP port that is to become reachable by one remote peer through
// both sides' NATs: it learns its public address from the address resolver,
// then probes the remote peer with "HELLO" until a datagram comes back.
//
// The object lives in the thread it represents: other threads ask for work only
// by emitting resolveGlobalAddress(), startHolePunching() and
// makeReleasedFromHost(); the answers are the peer's own signals, emitted from
// its thread. The fields other threads touch each have their own mutex.
class PeerBase : public QThread
{
    Q_OBJECT

public:
    // beforeStart runs before the peer's thread starts, so that the creator can
    // connect to inited() and the other answers without missing any of them.
    explicit PeerBase(const QJsonObject &initParams,
                      const std::function<void(PeerBase &)> &beforeStart = nullptr);
    ~PeerBase() override;
    // Hides QThread::wait so that callers take over the thread's last writes.
    bool wait(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

    QString socketId() const;
    QString remoteSocketId() const;
    void setRemoteSocketId(const QString &value);
    QString yourSign() const;
    void setYourSign(const QString &value);
    QString remoteSign() const;
    void setRemoteSign(const QString &value);
    QString yourPwd() const;
    void setYourPwd(const QString &value);
    QString yourGlobalIp() const;
    void setYourGlobalIp(const QString &value);
    quint16 yourGlobalPort() const;
    void setYourGlobalPort(quint16 value);
    QString yourLocalIp() const;
    void setYourLocalIp(const QString &value);
    quint16 yourLocalPort() const;
    void setYourLocalPort(quint16 value);
    QString remoteGlobalIp() const;
    void setRemoteGlobalIp(const QString &value);
    quint16 remoteGlobalPort() const;
    void setRemoteGlobalPort(quint16 value);
    QString remoteLocalIp() const;
    void setRemoteLocalIp(const QString &value);
    quint16 remoteLocalPort() const;
    void setRemoteLocalPort(quint16 value);
    QJsonObject initParams() const;
    // Where "trPeerInfo" goes; set by the owner before resolving.
    void setResolverEndpoint(const QString &host, quint16 port);
    bool isInitializer() const;
    void setIsInitializer(bool value);
    SocketConnectionMode socketConnectionMode() const;
    // Where probes go: the remote local address when both sides share one
    // public address, else the remote global one.
    QPair<QString, quint16> holePunchingTarget() const;

signals:
    void inited(QJsonObject mapParams);
    void startHolePunching();
    void makeReleasedFromHost(QJsonObject mapParams);
    void releasedFromHost(QJsonObject mapParams);
    void resolveGlobalAddress();
    void globalAdressIsDescavered(QJsonObject mapParams);
    void connectionEstablished(QJsonObject mapParams);
    // The socket is bound: "yourSocketId" and "yourLocalPort" (0 when no port could be bound).
    void bound(QJsonObject mapParams);
    // Resolving gave up: "yourSocketId" and "errorMessage".
    void failed(QJsonObject mapParams);

protected:
    void run() override;

private slots:
    void onReadyRead();

private:
    void resolveGlobalAddressSlot();
    void trPeerInfo();
    void startHolePunchingSlot();
    void holePunching();
    void makeReleasedFromHostSlot(const QJsonObject &mapParams);

    void bindEvenPort();
    void bindLocalPort(quint16 port);
    void rebind();
    // Payloads of the pending datagrams; with an expected source, only those sent from it.
    QList<QByteArray> readPending(bool fromExpectedOnly = true);
    void expectFrom(const QHostAddress &address, quint16 port);
    // Back to Initial, and failed() tells the owner why.
    void giveUpResolving(const QString &message);
    void readResolverAnswers();
    void acceptGlobalAddress(const ResolverAnswer &answer);
    void readProbes();
    void send(const QByteArray &payload);
    void setSocketConnectionMode(SocketConnectionMode mode);

    template <class Step>
    void reportFailures(const QString &tag, Step &&step);
    template <class... Args>
    void log(spdlog::level::level_enum level, spdlog::format_string_t<Args...> format, Args &&...args) const;

    const QString m_socketId;
    const std::string m_loggerName;
    GuardedValue<QString> m_resolverAddress;
    GuardedValue<quint16> m_resolverPort{0};

    GuardedValue<bool> m_isInitializer{false};
    GuardedValue<QString> m_remoteSocketId;
    GuardedValue<QString> m_yourSign;
    GuardedValue<QString> m_remoteSign;
    GuardedValue<QString> m_yourPwd;
    GuardedValue<QString> m_yourGlobalIp;
    GuardedValue<quint16> m_yourGlobalPort{0};
    GuardedValue<QString> m_yourLocalIp;
    GuardedValue<quint16> m_yourLocalPort{0};
    GuardedValue<QString> m_remoteGlobalIp;
    GuardedValue<quint16> m_remoteGlobalPort{0};
    GuardedValue<QString> m_remoteLocalIp;
    GuardedValue<quint16> m_remoteLocalPort{0};
    GuardedValue<QJsonObject> m_initParams;
    GuardedValue<SocketConnectionMode> m_socketConnectionMode{SocketConnectionMode::Initial};

    // Touched only on the peer's own thread, where run() creates them.
    NtCommon::SharedPointerEx<QAbstractSocket> m_socket;
    NtCommon::SharedPointerEx<QTimer> m_holePunchingTimer;
    bool m_isTcp = false;
    // The one address whose datagrams count while resolving or punching.
    QHostAddress m_expectedAddress;
    quint16 m_expectedPort = 0;
    int m_resolveAttempts = 0;
};
