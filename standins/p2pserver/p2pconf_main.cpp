// Opens a client's main.conf in P2P mode towards the stand-in P2P server.
// Usage: lyn-p2p-conf MAIN_CONF P2P_HOST P2P_PORT REMOTE_SIGN
// A new or empty file first receives the client's own defaults. The client's
// own sign stays empty until it has signed up, which it does on its next start.
#include "base/SettingsSimple.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: lyn-p2p-conf MAIN_CONF P2P_HOST P2P_PORT REMOTE_SIGN\n");
        return 2;
    }
    LynClientBase::SettingsSimple settings(args.at(1), QSettings::IniFormat);
    settings.setValue(QStringLiteral("P2pServer/enabled"), QStringLiteral("yes"));
    settings.setValue(QStringLiteral("P2pServer/ip"), args.at(2));
    settings.setValue(QStringLiteral("P2pServer/port"), args.at(3));
    settings.setValue(QStringLiteral("P2pClient/remoteSign"), args.at(4));
    settings.sync();
    return settings.status() == QSettings::NoError ? 0 : 1;
}
