#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPair>
#include <QSet>

namespace Standin {

class LiveStreams;

// "cam"/"trInitP2PChannel" as the remote installation's bridge sends it: the
// device's live packets are copied to the bridge's "forwardPort" on 127.0.0.1
// until the same request comes with "stop": true or the bridge's connection ends.
class P2pChannelTaps
{
public:
    explicit P2pChannelTaps(LiveStreams *live) : m_live(live) {}

    // The answer's payload: "status" "OK" with "rowID" and "streamKey", or "ERROR" with "errorMessage".
    QJsonObject handle(QObject *client, const QJsonObject &request);
    void dropClient(QObject *client);

private:
    LiveStreams *m_live;
    // Per connection: (device, port) pairs being copied.
    QHash<QObject *, QSet<QPair<qint64, quint16>>> m_taps;
};

} // namespace Standin
