#pragma once

#include "client_base/other/peer/PeerBase.h"

#include <QJsonObject>
#include <QObject>

#include <memory>

// Lives on the test thread and re-emits a peer's answers there, so that
// QSignalSpy sees them as emissions of its own thread.
class PeerProbe : public QObject
{
    Q_OBJECT

public:
    explicit PeerProbe(QObject *parent = nullptr);

    // A peer wired to this probe before its thread starts.
    std::unique_ptr<PeerBase> create(const QJsonObject &params = QJsonObject());
    // create(), then waits until the peer has bound its port; null when it did not.
    std::unique_ptr<PeerBase> started(const QJsonObject &params = QJsonObject());

    // Returns once the peer's thread has handled everything queued to it so far.
    static void sync(PeerBase &peer);
    // The resolver every peer created from now on asks.
    static void setResolver(const QString &host, quint16 port);

signals:
    void inited(QJsonObject mapParams);
    void globalAdressIsDescavered(QJsonObject mapParams);
    void connectionEstablished(QJsonObject mapParams);
    void releasedFromHost(QJsonObject mapParams);

private:
    static QString s_resolverHost;
    static quint16 s_resolverPort;
};
