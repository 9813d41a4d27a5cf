// Points a client's main.conf at the stand-in web services.
// Usage: lyn-cloud-conf MAIN_CONF BASE_URL
// A new or empty file first receives the client's own defaults.
#include "base/SettingsSimple.h"
#include "controllers/cloud/CloudEndpoints.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: lyn-cloud-conf MAIN_CONF BASE_URL\n");
        return 2;
    }
    LynClientBase::SettingsSimple settings(args.at(1), QSettings::IniFormat);
    LynClientController::CloudEndpoints::writeOverrides(settings, args.at(2));
    return settings.status() == QSettings::NoError ? 0 : 1;
}
