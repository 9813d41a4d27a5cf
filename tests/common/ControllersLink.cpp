#include "ControllersLink.h"

#include "base/HandleRecievedMessages.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QSignalSpy>

ControllersLink::~ControllersLink()
{
    close();
}

bool ControllersLink::start(quint16 port, int timeoutMs)
{
    close();
    m_link = QSharedPointer<LynClientNetworkFinalSimple>::create();
    m_router = QSharedPointer<LynClientBase::HandleRecievedMessages>::create();
    m_link->setMessageHandler(m_router);
    m_link->setParam("host", "127.0.0.1");
    m_link->setParam("port", port);
    m_link->setParam("use_ping", true);
    m_probe = std::make_unique<LinkProbe>(m_link.data());
    QSignalSpy inited(m_probe.get(), &LinkProbe::inited);
    m_link->start();
    if (!(inited.count() || inited.wait(timeoutMs)))
        return false;
    LynClientBase::LynClientNetwork::setControllersLink(m_link);
    emit m_link->makeConnection();
    return true;
}

bool ControllersLink::open(quint16 port, int timeoutMs)
{
    if (!start(port, timeoutMs))
        return false;
    QSignalSpy state(m_probe.get(), &LinkProbe::connectionState);
    return (state.count() || state.wait(timeoutMs)) && state.last().at(0).toBool();
}

void ControllersLink::close()
{
    if (!m_link)
        return;
    LynClientBase::LynClientNetwork::setControllersLink({});
    m_link->quit();
    m_link->wait();
    m_probe.reset();
    m_link.reset();
    m_router.reset();
}

qlonglong ControllersLink::amountConnected() const
{
    return m_link ? m_link->amountConnected() : 0;
}
