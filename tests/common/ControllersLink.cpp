#include "ControllersLink.h"

#include "base/HandleRecievedMessages.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QSignalSpy>

ControllersLink::~ControllersLink()
{
    close();
}

bool ControllersLink::open(quint16 port, int timeoutMs)
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
    QSignalSpy state(m_probe.get(), &LinkProbe::connectionState);
    m_link->start();
    if (!(inited.count() || inited.wait(timeoutMs)))
        return false;
    emit m_link->makeConnection();
    if (!(state.count() || state.wait(timeoutMs)) || !state.last().at(0).toBool())
        return false;
    LynClientBase::LynClientNetwork::setControllersLink(m_link);
    return true;
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
