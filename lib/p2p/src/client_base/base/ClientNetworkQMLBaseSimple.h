#pragma once

#include "client_base/base/ClientNetwork.h"
#include "nt_common/core/pointer/SharedPointerEx.h"

#include <QObject>

namespace P2pClientBase {

// What QML sees of the P2P link ("NETP2P").
class ClientNetworkQMLBaseSimple : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qlonglong amountConnected READ amountConnected WRITE setAmountConnected NOTIFY amountConnectedChanged)

public:
    explicit ClientNetworkQMLBaseSimple(const QSharedPointer<ClientNetworkSimple> &link);

    Q_INVOKABLE void setParam(QString key, QVariant value);
    Q_INVOKABLE QVariant paramsValue(QString key) const;
    Q_INVOKABLE void setSign(QString value);
    Q_INVOKABLE void setPwd(QString value);
    Q_INVOKABLE QString sign() const;
    Q_INVOKABLE void makeConnection();
    Q_INVOKABLE void closeConnection();
    Q_INVOKABLE void setDefaultActionAfterConnected(QString value);
    Q_INVOKABLE QString defaultActionAfterConnected() const;

    qlonglong amountConnected() const;
    void setAmountConnected(qlonglong value);

signals:
    void connectionState(bool isConnected);
    void amountConnectedChanged(qlonglong amountConnected);
    void inited();

private:
    NtCommon::SharedPointerEx<ClientNetworkSimple> m_link;
};

} // namespace P2pClientBase
