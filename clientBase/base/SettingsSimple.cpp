#include "base/SettingsSimple.h"

#include "nt_common/core/singleton/SpSingleton.h"

#include <QFileInfo>

namespace LynClientBase {

SettingsSimple::SettingsSimple(const QString &fileName, QSettings::Format format, QObject *parent)
    : QSettings(fileName, format, parent)
{
    if (QFileInfo(fileName).size() == 0)
        writeDefaults();
}

void SettingsSimple::writeDefaults()
{
    struct Default
    {
        const char *group;
        const char *key;
        const char *value;
    };
    // The P2P server of a fresh install is the one running beside the client.
    static const Default defaults[] = {
        {"Server", "ip", "127.0.0.1"},
        {"Server", "port", "27014"},
        {"Server", "password", ""},
        {"P2pServer", "enabled", "no"},
        {"P2pServer", "ip", "127.0.0.1"},
        {"P2pServer", "port", "9009"},
        {"P2pClient", "sign", ""},
        {"P2pClient", "secretKey", ""},
        {"P2pClient", "remoteSign", ""},
        {"other", "useAutoPauseInArchive", "yes"},
        {"other", "useDialogOnError", "no"},
    };
    for (const Default &d : defaults) {
        beginGroup(QLatin1String(d.group));
        QSettings::setValue(QLatin1String(d.key), QString::fromLatin1(d.value));
        endGroup();
    }
    sync();
}

QString SettingsSimple::value(QString group, QString key, QString defaultValue)
{
    // QML may hold any instance; reads go to the process-wide file when there is one.
    const QSharedPointer<SettingsSimple> shared = SpSingleton<SettingsSimple>::sharedInstance();
    SettingsSimple *settings = shared ? shared.data() : this;
    settings->beginGroup(group);
    const QString result = settings->QSettings::value(key, defaultValue).toString();
    settings->endGroup();
    return result;
}

void SettingsSimple::setValue(QString group, QString key, QVariant value)
{
    beginGroup(group);
    QSettings::setValue(key, value);
    endGroup();
}

} // namespace LynClientBase
