#pragma once

#include "SdpViewer.h"

#include <QJsonObject>
#include <QObject>

#include <memory>

namespace LynClientController {
class DeviceController;
}
namespace P2pClientController {
class PeersManagerController;
}

// One tile showing a remote camera the way the live-video start does it: the
// channel is asked for with "trInitP2PChannel", the stream's RTP peer is
// released once punched, and its receiver description is played.
class RemoteTile : public QObject
{
    Q_OBJECT
public:
    RemoteTile(LynClientController::DeviceController &devices, P2pClientController::PeersManagerController &peers,
               qint64 rowId, const QString &streamKey);
    ~RemoteTile() override;

    void play();
    // Only the player: the punched port is free, the far side still sends.
    void stopPlayer();
    // The player and the channel; the far side is told.
    void stop();

    unsigned frames() const { return m_viewer ? m_viewer->frames() : 0; }
    bool unreachable() const { return !m_unreachableText.isEmpty(); }
    QString unreachableText() const { return m_unreachableText; }
    // The punched local port the player receives on (0 before).
    quint16 port() const { return m_port; }
    QString sdpPath() const { return m_sdpPath; }

private:
    bool isMine(const QString &socketId, const QString &portType) const;

    LynClientController::DeviceController &m_devices;
    P2pClientController::PeersManagerController &m_peers;
    const qint64 m_rowId;
    const QString m_streamKey;
    std::unique_ptr<SdpViewer> m_viewer;
    QString m_unreachableText;
    QString m_sdpPath;
    quint16 m_port = 0;
};
