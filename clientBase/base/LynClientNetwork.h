#pragma once

#include "base/HandleReceivedMessagesBase.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"
#include "clientNetwork/LynClientNetworkBase.h"
#include "nt_common/core/pointer/SharedPointerEx.h"
#include "nt_common/core/pointer/WeakPointerEx.h"

#include <QJsonObject>
#include <QSharedPointer>

namespace LynClientBase {

// Message side of the server link: parses received text into JSON objects and
// hands them to the router; sends text over the socket, or in P2P mode through
// the P2P relay, whose relayed "message" texts are handled like socket text.
class LynClientNetwork : public LynClientNetworkBase
{
    Q_OBJECT
public:
    // Largest text message the link accepts; bigger ones are dropped by the socket.
    static constexpr quint64 kMaxIncomingMessageSize = 64ull * 1024 * 1024;

    using LynClientNetworkBase::LynClientNetworkBase;

    // Stores the router and moves it to the link thread; false when null.
    bool setMessageHandler(const QSharedPointer<HandleReceivedMessagesBase> &handler);
    NtCommon::WeakPointerEx<HandleReceivedMessagesBase> messageHandler() const;

    // The link every server-link controller sends through.
    static void setControllersLink(const QSharedPointer<LynClientNetwork> &link);
    static NtCommon::SharedPointerEx<LynClientNetwork> controllersLink();

    // Wraps mapParams in the envelope, hands the text to the controllers' link
    // and returns the object as sent. Raises when no link is set.
    static QJsonObject send(const QString &ctl, const QString &action, const QString &receiver,
                            const QJsonObject &mapParams);

signals:
    void messageReceived(QJsonObject mapParams);

public slots:
    void onTextMessageReceived(QString message);
    void sendTextMessageSlot(QString message) override;
    void onSocketConnected() override;
    void onSocketDisconnected() override;

protected:
    void run() override;
    void tearDown() override;

private:
    // Creates the relay on first use in P2P mode; false without a P2P link.
    bool ensureRelay();
    void onRelayedRequest(const QJsonObject &request);

    QSharedPointer<P2pClientController::SingleTcpRelayBaseController> m_relay;
    QSharedPointer<HandleReceivedMessagesBase> m_messageHandler;
};

} // namespace LynClientBase
