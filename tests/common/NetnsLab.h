#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Network namespaces made for one test and deleted with this object, whatever
// the outcome. Commands run as root; every name starts with "lynpeers-<pid>-".
class NetnsLab
{
public:
    NetnsLab();
    ~NetnsLab();
    NetnsLab(const NetnsLab &) = delete;
    NetnsLab &operator=(const NetnsLab &) = delete;

    // Empty when this machine lets us make namespaces with NAT, else the reason.
    static QString unavailableReason();

    QString name(const QString &role) const;
    bool addNamespace(const QString &role);
    // Runs a command on the host, or inside the namespace of a role.
    bool run(const QStringList &command);
    bool runIn(const QString &role, const QStringList &command);
    bool runInWithInput(const QString &role, const QStringList &command, const QByteArray &input);
    // Arguments that start a program inside the namespace of a role.
    QStringList execIn(const QString &role, const QStringList &command) const;
    // Starts a program inside the namespace of a role; stop() ends it, politely first.
    void startIn(QProcess &process, const QString &role, const QStringList &command) const;
    static void stop(QProcess &process);

    // A home network behind a router: "lan" (the host at hostIp) reaches the
    // "pub" namespace, which must exist, through "nat", which masquerades and
    // lets in only answers. A symmetric router maps every new destination to a
    // new public port, which defeats hole punching.
    struct Site
    {
        QString nat;
        QString lan;
        QString publicIp;
        QString routerLanIp;
        QString hostIp;
    };
    bool addPublic();
    bool addSite(const Site &site, const QString &pubIfName, const QString &pubIp);
    bool setSymmetric(const Site &site, bool symmetric);
    QString lastError() const;

private:
    static void removeStaleNamespaces();

    QString m_prefix;
    QStringList m_created;
    QString m_lastError;
};
