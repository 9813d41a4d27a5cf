#include "PeerProbe.h"

PeerProbe::PeerProbe(QObject *parent) : QObject(parent) {}

std::unique_ptr<PeerBase> PeerProbe::create(const QJsonObject &params)
{
    return std::make_unique<PeerBase>(params, [this](PeerBase &peer) {
        connect(&peer, &PeerBase::inited, this, &PeerProbe::inited);
        connect(&peer, &PeerBase::globalAdressIsDescavered, this, &PeerProbe::globalAdressIsDescavered);
        connect(&peer, &PeerBase::connectionEstablished, this, &PeerProbe::connectionEstablished);
        connect(&peer, &PeerBase::releasedFromHost, this, &PeerProbe::releasedFromHost);
    });
}

void PeerProbe::sync(PeerBase &peer)
{
    QMetaObject::invokeMethod(&peer, [] {}, Qt::BlockingQueuedConnection);
}
