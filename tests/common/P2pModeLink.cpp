#include "P2pModeLink.h"

#include "shell/P2pLinkSetup.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

P2pModeLink::P2pModeLink()
    : m_p2pLink(QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create())
{
}

P2pModeLink::~P2pModeLink()
{
    stop();
}

bool P2pModeLink::start(const QString &host, quint16 port, const QString &remoteSign, int timeoutMs)
{
    bool inited = false;
    // The signal comes from the link's thread and is handed to this one.
    QObject here;
    QObject::connect(m_p2pLink.data(), &P2pClientBase::ClientNetworkBase::inited, &here, [&inited] { inited = true; });
    m_auth = LynClient::P2pLinkSetup::start(m_p2pLink, host, QString::number(port), remoteSign);
    return QTest::qWaitFor([&inited] { return inited; }, timeoutMs);
}

bool P2pModeLink::logIn(int timeoutMs)
{
    QSignalSpy loggedIn(m_auth.get(), &P2pClientController::Auth::saAuth);
    emit m_p2pLink->makeConnection();
    return loggedIn.count() || loggedIn.wait(timeoutMs);
}

bool P2pModeLink::startServerLink(int timeoutMs)
{
    QTcpServer closed;
    if (!closed.listen(QHostAddress::LocalHost, 0))
        return false;
    const quint16 deadPort = closed.serverPort();
    closed.close();
    m_serverLink = std::make_unique<LynClientNetworkFinalSimple>();
    m_router = QSharedPointer<LynClientBase::HandleRecievedMessages>::create();
    m_serverLink->setMessageHandler(m_router);
    m_serverLink->setIsP2pMode(true);
    m_serverLink->setP2pLink(m_p2pLink);
    m_serverLink->setParam("host", "127.0.0.1");
    m_serverLink->setParam("port", deadPort);
    LinkProbe probe(m_serverLink.get());
    QSignalSpy inited(&probe, &LinkProbe::inited);
    m_serverLink->start();
    if (!(inited.count() || inited.wait(timeoutMs)))
        return false;
    emit m_serverLink->makeConnection();
    return true;
}

void P2pModeLink::stop()
{
    for (QThread *thread : {static_cast<QThread *>(m_serverLink.get()), static_cast<QThread *>(m_p2pLink.data())}) {
        if (thread) {
            thread->quit();
            thread->wait();
        }
    }
}
