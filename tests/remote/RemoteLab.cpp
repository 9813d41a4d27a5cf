#include "RemoteLab.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

const QString RemoteLab::kPublicIp = QStringLiteral("10.77.1.1");
const QString RemoteLab::kP2pPort = QStringLiteral("9009");
const NetnsLab::Site RemoteLab::kClientSite{QStringLiteral("nata"), QStringLiteral("lana"), QStringLiteral("10.77.1.2"),
                                            QStringLiteral("192.168.10.1"), QStringLiteral("192.168.10.2")};
const NetnsLab::Site RemoteLab::kRemoteSite{QStringLiteral("natb"), QStringLiteral("lanb"), QStringLiteral("10.77.2.2"),
                                            QStringLiteral("192.168.20.1"), QStringLiteral("192.168.20.2")};

QString RemoteLab::start(const QString &dir)
{
    m_dir = dir;
    m_lab = std::make_unique<NetnsLab>();
    if (!m_lab->addPublic() || !m_lab->addSite(kClientSite, QStringLiteral("toa"), kPublicIp)
        || !m_lab->addSite(kRemoteSite, QStringLiteral("tob"), QStringLiteral("10.77.2.1")))
        return m_lab->lastError();

    // The remote installation: a copy of the demo installation.
    const QString site = dir + QStringLiteral("/site");
    if (!QDir().mkpath(site) || !QFile::copy(QStringLiteral(LYN_STANDIN_DEMO_DIR "/localserver.db"), site + QStringLiteral("/localserver.db"))
        || !QFile::link(QStringLiteral(LYN_STANDIN_DEMO_DIR "/archive"), site + QStringLiteral("/archive")))
        return QStringLiteral("cannot copy the demo installation to %1").arg(site);

    m_resolver = std::make_unique<LabProcess>(QStringLiteral("resolver"));
    m_resolver->start(*m_lab, QStringLiteral("pub"), {LYN_RESOLVER_EXE, "--host", kPublicIp, "--port", "50005"}, dir);
    if (!m_resolver->waitForLine(QStringLiteral("listening on"), kStartWait))
        return m_resolver->tail();

    m_p2pServer = std::make_unique<LabProcess>(QStringLiteral("P2P server"));
    m_p2pServer->start(*m_lab, QStringLiteral("pub"),
                       {LYN_P2PSERVER_EXE, "--host", kPublicIp, "--port", kP2pPort, "--db", dir + "/p2p.sqlite",
                        "--log", p2pLogPath(), "--account", "viewer:viewer-secret", "--account", "home:home-secret"},
                       dir);
    if (!m_p2pServer->waitForLine(QStringLiteral("P2P server listening"), kStartWait))
        return m_p2pServer->tail();

    m_localServer = std::make_unique<LabProcess>(QStringLiteral("local server"));
    m_localServer->start(*m_lab, kRemoteSite.lan, {LYN_LOCALSERVER_EXE, "--port", "27014"}, site);
    if (!m_localServer->waitForLine(QStringLiteral("listening on ws://"), kStartWait))
        return m_localServer->tail();

    return startBridge();
}

QString RemoteLab::startBridge()
{
    m_bridge = std::make_unique<LabProcess>(QStringLiteral("bridge"));
    m_bridge->start(*m_lab, kRemoteSite.lan,
                    {LYN_BRIDGE_EXE, "--sign", "home", "--secret", "home-secret", "--p2p-host", kPublicIp, "--p2p-port", kP2pPort,
                     "--local-server", "ws://127.0.0.1:27014/loader", "--log", bridgeLogPath()},
                    m_dir);
    if (!m_bridge->waitForLine(QStringLiteral("bridge logged in"), kStartWait))
        return m_bridge->tail();
    return QString();
}

QString RemoteLab::restartBridge()
{
    m_bridge.reset();
    return startBridge();
}

QString RemoteLab::p2pLogPath() const
{
    return m_dir + QStringLiteral("/p2p.log");
}

QString RemoteLab::bridgeLogPath() const
{
    return m_dir + QStringLiteral("/bridge.log");
}

QString RemoteLab::failureText(const QString &what) const
{
    QString text = what;
    for (const auto *process : {m_bridge.get(), m_localServer.get(), m_p2pServer.get()}) {
        if (process)
            text += QLatin1Char('\n') + process->tail(process == m_bridge.get() ? 30 : 10);
    }
    return text;
}

void RemoteLab::stop()
{
    m_bridge.reset();
    m_localServer.reset();
    m_p2pServer.reset();
    m_resolver.reset();
    m_lab.reset();
}

qint64 relayedBytes(const QString &trafficLine)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("received (\\d+) bytes, sent (\\d+) bytes")).match(trafficLine);
    return m.hasMatch() ? m.captured(1).toLongLong() + m.captured(2).toLongLong() : -1;
}
