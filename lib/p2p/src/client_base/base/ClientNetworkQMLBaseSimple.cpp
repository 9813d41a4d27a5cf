#include "client_base/base/ClientNetworkQMLBaseSimple.h"

namespace P2pClientBase {

ClientNetworkQMLBaseSimple::ClientNetworkQMLBaseSimple(const QSharedPointer<ClientNetworkSimple> &link)
    : m_link(link)
{
    ClientNetworkSimple *l = m_link.data();
    connect(l, &ClientNetworkBase::connectionState, this, &ClientNetworkQMLBaseSimple::connectionState);
    connect(l, &ClientNetworkBase::amountConnectedChanged, this, &ClientNetworkQMLBaseSimple::amountConnectedChanged);
    connect(l, &ClientNetworkBase::inited, this, &ClientNetworkQMLBaseSimple::inited);
}

void ClientNetworkQMLBaseSimple::setParam(QString key, QVariant value)
{
    m_link->setParam(key, value);
}

QVariant ClientNetworkQMLBaseSimple::paramsValue(QString key) const
{
    return m_link->paramsValue(key);
}

void ClientNetworkQMLBaseSimple::setSign(QString value)
{
    m_link->setSign(value);
}

void ClientNetworkQMLBaseSimple::setPwd(QString value)
{
    m_link->setPwd(value);
}

QString ClientNetworkQMLBaseSimple::sign() const
{
    return m_link->sign();
}

void ClientNetworkQMLBaseSimple::makeConnection()
{
    emit m_link->makeConnection();
}

void ClientNetworkQMLBaseSimple::closeConnection()
{
    emit m_link->closeConnection();
}

void ClientNetworkQMLBaseSimple::setDefaultActionAfterConnected(QString value)
{
    m_link->setDefaultActionAfterConnected(value);
}

QString ClientNetworkQMLBaseSimple::defaultActionAfterConnected() const
{
    return m_link->defaultActionAfterConnected();
}

qlonglong ClientNetworkQMLBaseSimple::amountConnected() const
{
    return m_link->amountConnected();
}

void ClientNetworkQMLBaseSimple::setAmountConnected(qlonglong value)
{
    m_link->setAmountConnected(value);
}

} // namespace P2pClientBase
