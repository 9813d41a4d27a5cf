#pragma once

#include "client_base/base/FrameSplitter.h"
#include "client_base/base/HandleReceivedMessagesBase.h"
#include "nt_common/core/client_network/ClientNetworkBase.h"
#include "nt_common/core/dto/DTO.h"

#include <QList>
#include <QSharedPointer>

#include <memory>
#include <mutex>

namespace P2pClientBase {

// The P2P link's message side: JSON arrays framed by "#ENDMSG", the client's
// sign stamped on every outgoing object, optional zlib framing.
class ClientNetworkSimple : public ClientNetworkBase
{
    Q_OBJECT
public:
    // Frames above this size are dropped, so that a peer cannot make the link hold more.
    static constexpr int kMaxBufferedBytes = 32 * 1024 * 1024;
    // An oversized frame still unterminated after this many bytes drops the connection.
    static constexpr qint64 kMaxUnterminatedBytes = 4ll * kMaxBufferedBytes;

    using ClientNetworkBase::ClientNetworkBase;

    Q_INVOKABLE QString remoteSign() const;
    void setRemoteSign(const QString &value);
    QString sign() const;
    void setSign(const QString &value);
    QString pwd() const;
    void setPwd(const QString &value);
    QString defaultActionAfterConnected() const;
    void setDefaultActionAfterConnected(const QString &value);
    bool useCompression() const;
    void setUseCompression(bool value);

    // Stores the dispatcher and moves it to the link thread; false when null.
    bool setMessageHandler(const QSharedPointer<HandleReceivedMessagesBase> &handler);
    QSharedPointer<HandleReceivedMessagesBase> messageHandler() const;

    // The body of a frame: "[" + compact objects joined by ", " + "]".
    static QByteArray frameBody(const QList<std::shared_ptr<DTO>> &messages);

signals:
    void fireTrAuth();
    void fireTrSignUp();
    void messageReceived(std::shared_ptr<DTO> mapParams);
    void sendMessageSignal(std::shared_ptr<DTO> dto, bool blockTrhead = false);
    void sendListMessagesSignal(QList<std::shared_ptr<DTO>> lstDto, bool blockThread = false);

private slots:
    void onSocketConnected() override;
    void onSocketDisconnected() override;
    void onSocketReadyRead() override;
    void sendMessageSlot(std::shared_ptr<DTO> dto, bool blockTrhead);
    void sendListMessagesSlot(QList<std::shared_ptr<DTO>> lstDto, bool blockThread);

protected:
    void run() override;

private:
    void deliverFrame(QByteArray body);
    void writeFrame(const QByteArray &body, bool block);

    QString m_sign;
    mutable QMutex m_signMutex;
    QString m_pwd;
    mutable QMutex m_pwdMutex;
    QString m_remoteSign;
    mutable QMutex m_remoteSignMutex;
    std::atomic<bool> m_useCompression{false};
    mutable std::mutex m_defaultActionMutex;
    QSharedPointer<HandleReceivedMessagesBase> m_messageHandler;
    QString m_defaultActionAfterConnected = QStringLiteral("fireTrAuth");
    FrameSplitter m_frames{kMaxBufferedBytes};
};

} // namespace P2pClientBase
