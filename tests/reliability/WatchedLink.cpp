#include "WatchedLink.h"

#include "base/HandleRecievedMessages.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QSignalSpy>

WatchedLink::~WatchedLink()
{
    stop();
}

bool WatchedLink::start(quint16 port)
{
    stop();
    m_link = QSharedPointer<LynClientNetworkFinalSimple>::create();
    m_router = QSharedPointer<LynClientBase::HandleRecievedMessages>::create();
    m_link->setMessageHandler(m_router);
    m_link->setParam("host", "127.0.0.1");
    m_link->setParam("port", port);
    m_link->setParam("use_ping", true);
    m_probe = std::make_unique<LinkProbe>(m_link.data());
    QSignalSpy inited(m_probe.get(), &LinkProbe::inited);
    m_link->start();
    if (!(inited.count() || inited.wait(10000)))
        return false;
    LynClientBase::LynClientNetwork::setControllersLink(m_link);
    emit m_link->makeConnection();
    return true;
}

void WatchedLink::stop()
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

qlonglong WatchedLink::amountConnected() const
{
    return m_link ? m_link->amountConnected() : 0;
}
