#pragma once

#include "base/LynClientNetwork.h"
#include "nt_common/core/pointer/SharedPointerEx.h"

#include <QObject>
#include <QVariant>

namespace LynClientBase {

// What QML sees of the server link ("NET"): signals forwarded across threads,
// parameters and the counter reached directly.
class LynClientNetworkQMLBaseSimple : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qlonglong amountConnected READ amountConnected WRITE setAmountConnected NOTIFY amountConnectedChanged)
    // Whether the link thread is up; a window loaded after inited() reads it instead.
    Q_PROPERTY(bool isInited READ isInited NOTIFY inited)

public:
    explicit LynClientNetworkQMLBaseSimple(const QSharedPointer<LynClientNetwork> &link);

    Q_INVOKABLE void setParam(const QString &key, const QVariant &value);
    Q_INVOKABLE QVariant paramsValue(const QString &key) const;
    Q_INVOKABLE void makeConnection();
    Q_INVOKABLE void closeConnection();
    Q_INVOKABLE bool isP2PMode() const;

    qlonglong amountConnected() const;
    void setAmountConnected(qlonglong value);
    bool isInited() const;

signals:
    void connectionState(bool isConnected);
    void amountConnectedChanged(qlonglong amountConnected);
    void inited();
    void sendTextMessage(QString message);
    void setIsP2pMode(bool value);

private:
    void onLinkInited();

    NtCommon::SharedPointerEx<LynClientNetwork> m_link;
    bool m_inited = false;
};

} // namespace LynClientBase
