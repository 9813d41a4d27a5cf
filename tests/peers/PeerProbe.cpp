#include "PeerProbe.h"

#include <QSignalSpy>

QString PeerProbe::s_resolverHost;
quint16 PeerProbe::s_resolverPort = 0;

PeerProbe::PeerProbe(QObject *parent) : QObject(parent) {}

std::unique_ptr<PeerBase> PeerProbe::create(const QJsonObject &params)
{
    return std::make_unique<PeerBase>(params, [this](PeerBase &peer) {
        peer.setResolverEndpoint(s_resolverHost, s_resolverPort);
        connect(&peer, &PeerBase::inited, this, &PeerProbe::inited);
        connect(&peer, &PeerBase::globalAdressIsDescavered, this, &PeerProbe::globalAdressIsDescavered);
        connect(&peer, &PeerBase::connectionEstablished, this, &PeerProbe::connectionEstablished);
        connect(&peer, &PeerBase::releasedFromHost, this, &PeerProbe::releasedFromHost);
    });
}

std::unique_ptr<PeerBase> PeerProbe::started(const QJsonObject &params)
{
    QSignalSpy inited(this, &PeerProbe::inited);
    auto peer = create(params);
    if (!(inited.count() || inited.wait(5000)))
        return nullptr;
    return peer;
}

void PeerProbe::sync(PeerBase &peer)
{
    QMetaObject::invokeMethod(&peer, [] {}, Qt::BlockingQueuedConnection);
}

void PeerProbe::setResolver(const QString &host, quint16 port)
{
    s_resolverHost = host;
    s_resolverPort = port;
}
