#include "base/LynClientNetworkQMLBaseSimple.h"

namespace LynClientBase {

LynClientNetworkQMLBaseSimple::LynClientNetworkQMLBaseSimple(const QSharedPointer<LynClientNetwork> &link)
    : m_link(link)
{
    LynClientNetwork *l = m_link.data();
    connect(l, &LynClientNetworkBase::connectionState, this, &LynClientNetworkQMLBaseSimple::connectionState);
    connect(l, &LynClientNetworkBase::amountConnectedChanged, this, &LynClientNetworkQMLBaseSimple::amountConnectedChanged);
    connect(l, &LynClientNetworkBase::inited, this, &LynClientNetworkQMLBaseSimple::onLinkInited);
    connect(this, &LynClientNetworkQMLBaseSimple::sendTextMessage, l, &LynClientNetworkBase::sendTextMessage);
    connect(this, &LynClientNetworkQMLBaseSimple::setIsP2pMode, l, &LynClientNetworkBase::setIsP2pMode, Qt::QueuedConnection);
    // Read after connecting: an announcement made before this point is seen here,
    // one made after it arrives through onLinkInited, and neither is seen twice.
    m_inited = l->isInited();
}

void LynClientNetworkQMLBaseSimple::onLinkInited()
{
    if (m_inited)
        return;
    m_inited = true;
    emit inited();
}

bool LynClientNetworkQMLBaseSimple::isInited() const
{
    return m_inited;
}

void LynClientNetworkQMLBaseSimple::setParam(const QString &key, const QVariant &value)
{
    m_link->setParam(key, value);
}

QVariant LynClientNetworkQMLBaseSimple::paramsValue(const QString &key) const
{
    return m_link->paramsValue(key);
}

void LynClientNetworkQMLBaseSimple::makeConnection()
{
    emit m_link->makeConnection();
}

void LynClientNetworkQMLBaseSimple::closeConnection()
{
    emit m_link->closeConnection();
}

bool LynClientNetworkQMLBaseSimple::isP2PMode() const
{
    return m_link->isP2pMode();
}

qlonglong LynClientNetworkQMLBaseSimple::amountConnected() const
{
    return m_link->amountConnected();
}

void LynClientNetworkQMLBaseSimple::setAmountConnected(qlonglong value)
{
    m_link->setAmountConnected(value);
}

} // namespace LynClientBase
