#pragma once

#include "LabProcess.h"
#include "NetnsLab.h"

#include <QString>

#include <memory>

// The two homes of the remote-camera tests: the client behind router A, the
// remote installation (stand-in local server and its P2P bridge) behind router
// B, the P2P server and the address resolver on the public side. Ports inside
// the lab's own namespaces are fixed: nothing else runs in them.
class RemoteLab
{
public:
    static const QString kPublicIp;
    static const QString kP2pPort;
    static const NetnsLab::Site kClientSite;
    static const NetnsLab::Site kRemoteSite;
    static constexpr int kStartWait = 20000;

    // Builds the networks and starts the stand-ins; work files go to dir.
    // Empty on success, else what failed.
    QString start(const QString &dir);

    NetnsLab &lab() { return *m_lab; }
    QString p2pLogPath() const;
    QString bridgeLogPath() const;
    // Stops the bridge, so the far side's streams end as when the remote
    // installation goes away, and starts it again; empty on success, else what failed.
    QString restartBridge();
    // what, followed by the tails of the stand-ins' output.
    QString failureText(const QString &what) const;
    // Stops the stand-ins and removes the networks.
    void stop();

private:
    QString startBridge();

    QString m_dir;
    std::unique_ptr<NetnsLab> m_lab;
    std::unique_ptr<LabProcess> m_resolver;
    std::unique_ptr<LabProcess> m_p2pServer;
    std::unique_ptr<LabProcess> m_localServer;
    std::unique_ptr<LabProcess> m_bridge;
};

// Bytes through the P2P server by one of its "traffic:" lines, or -1.
qint64 relayedBytes(const QString &trafficLine);
