#include "NetnsLab.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <signal.h>
#include <unistd.h>

namespace {

const QString kStem = QStringLiteral("lynpeers-");

bool execute(const QStringList &command, const QByteArray &input, QString *error)
{
    QProcess process;
    process.setProgram(command.value(0));
    process.setArguments(command.mid(1));
    process.start();
    if (!process.waitForStarted(5000)) {
        *error = QStringLiteral("cannot start %1").arg(command.join(QLatin1Char(' ')));
        return false;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QStringLiteral("'%1' failed: %2").arg(command.join(QLatin1Char(' ')),
                                                        QString::fromUtf8(process.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

} // namespace

NetnsLab::NetnsLab() : m_prefix(kStem + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-'))
{
    removeStaleNamespaces();
}

NetnsLab::~NetnsLab()
{
    QString ignored;
    for (const QString &ns : m_created)
        execute({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("delete"), ns}, QByteArray(), &ignored);
}

QString NetnsLab::unavailableReason()
{
    if (::geteuid() != 0)
        return QStringLiteral("network namespaces need root");
    for (const QString &tool : {QStringLiteral("ip"), QStringLiteral("nft")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()
            && QStandardPaths::findExecutable(tool, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")}).isEmpty())
            return QStringLiteral("'%1' is not installed (Debian package %2)")
                .arg(tool, tool == QStringLiteral("ip") ? QStringLiteral("iproute2") : QStringLiteral("nftables"));
    }
    NetnsLab probe;
    if (!probe.addNamespace(QStringLiteral("probe")))
        return QStringLiteral("cannot create a network namespace: %1").arg(probe.lastError());
    if (!probe.runIn(QStringLiteral("probe"), {QStringLiteral("nft"), QStringLiteral("add"), QStringLiteral("table"),
                                               QStringLiteral("ip"), QStringLiteral("nat")}))
        return QStringLiteral("nftables does not work in a namespace: %1").arg(probe.lastError());
    return QString();
}

QString NetnsLab::name(const QString &role) const
{
    return m_prefix + role;
}

bool NetnsLab::addNamespace(const QString &role)
{
    if (!run({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("add"), name(role)}))
        return false;
    m_created << name(role);
    return runIn(role, {QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")});
}

bool NetnsLab::run(const QStringList &command)
{
    return execute(command, QByteArray(), &m_lastError);
}

bool NetnsLab::runIn(const QString &role, const QStringList &command)
{
    return execute(execIn(role, command), QByteArray(), &m_lastError);
}

bool NetnsLab::runInWithInput(const QString &role, const QStringList &command, const QByteArray &input)
{
    return execute(execIn(role, command), input, &m_lastError);
}

QStringList NetnsLab::execIn(const QString &role, const QStringList &command) const
{
    return QStringList{QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"), name(role)} + command;
}

bool NetnsLab::addPublic()
{
    return addNamespace(QStringLiteral("pub"))
        && runIn(QStringLiteral("pub"), {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo 1 > /proc/sys/net/ipv4/ip_forward")});
}

bool NetnsLab::addSite(const Site &site, const QString &pubIfName, const QString &pubIp)
{
    const QString ip = QStringLiteral("ip");
    const QStringList wanLink{ip, QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("wan"), QStringLiteral("netns"),
                              name(site.nat), QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"),
                              QStringLiteral("name"), pubIfName, QStringLiteral("netns"), name(QStringLiteral("pub"))};
    const QStringList lanLink{ip, QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("lan"), QStringLiteral("netns"),
                              name(site.nat), QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"),
                              QStringLiteral("name"), QStringLiteral("eth0"), QStringLiteral("netns"), name(site.lan)};
    return addNamespace(site.nat) && addNamespace(site.lan) && run(wanLink) && run(lanLink)
        && runIn(QStringLiteral("pub"), {ip, QStringLiteral("addr"), QStringLiteral("add"), pubIp + QStringLiteral("/24"), QStringLiteral("dev"), pubIfName})
        && runIn(QStringLiteral("pub"), {ip, QStringLiteral("link"), QStringLiteral("set"), pubIfName, QStringLiteral("up")})
        && runIn(site.nat, {ip, QStringLiteral("addr"), QStringLiteral("add"), site.publicIp + QStringLiteral("/24"), QStringLiteral("dev"), QStringLiteral("wan")})
        && runIn(site.nat, {ip, QStringLiteral("addr"), QStringLiteral("add"), site.routerLanIp + QStringLiteral("/24"), QStringLiteral("dev"), QStringLiteral("lan")})
        && runIn(site.nat, {ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("wan"), QStringLiteral("up")})
        && runIn(site.nat, {ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lan"), QStringLiteral("up")})
        && runIn(site.nat, {ip, QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"), QStringLiteral("via"), pubIp})
        && runIn(site.nat, {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo 1 > /proc/sys/net/ipv4/ip_forward")})
        && setSymmetric(site, false)
        && runIn(site.lan, {ip, QStringLiteral("addr"), QStringLiteral("add"), site.hostIp + QStringLiteral("/24"), QStringLiteral("dev"), QStringLiteral("eth0")})
        && runIn(site.lan, {ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("eth0"), QStringLiteral("up")})
        && runIn(site.lan, {ip, QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"), QStringLiteral("via"), site.routerLanIp});
}

bool NetnsLab::setSymmetric(const Site &site, bool symmetric)
{
    // A home router: masquerades what leaves "wan" and lets in only answers.
    // Replaced as a whole; connections already tracked keep their mapping.
    const QByteArray rules = QStringLiteral(
        "flush ruleset\n"
        "table ip nat {\n"
        "  chain postrouting {\n"
        "    type nat hook postrouting priority 100;\n"
        "    oifname \"wan\" masquerade%1\n"
        "  }\n"
        "}\n"
        "table inet filter {\n"
        "  chain inbound {\n"
        "    type filter hook input priority 0;\n"
        "    iifname \"wan\" ct state new drop\n"
        "  }\n"
        "  chain forwarding {\n"
        "    type filter hook forward priority 0;\n"
        "    iifname \"wan\" ct state new drop\n"
        "  }\n"
        "}\n").arg(symmetric ? QStringLiteral(" fully-random") : QString()).toUtf8();
    return runInWithInput(site.nat, {QStringLiteral("nft"), QStringLiteral("-f"), QStringLiteral("-")}, rules);
}

void NetnsLab::startIn(QProcess &process, const QString &role, const QStringList &command) const
{
    const QStringList arguments = execIn(role, command);
    process.start(arguments.first(), arguments.mid(1));
}

void NetnsLab::stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

QString NetnsLab::lastError() const
{
    return m_lastError;
}

void NetnsLab::removeStaleNamespaces()
{
    // Left behind by a run that was killed: their owner's pid is gone.
    const QStringList existing = QDir(QStringLiteral("/run/netns")).entryList(QDir::Files | QDir::System);
    QString ignored;
    for (const QString &ns : existing) {
        if (!ns.startsWith(kStem))
            continue;
        const qint64 owner = ns.mid(kStem.size()).section(QLatin1Char('-'), 0, 0).toLongLong();
        if (owner > 0 && ::kill(static_cast<pid_t>(owner), 0) != 0)
            execute({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("delete"), ns}, QByteArray(), &ignored);
    }
}
