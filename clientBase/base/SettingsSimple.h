#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

namespace LynClientBase {

// The client's INI file "main.conf". A new or empty file receives the defaults;
// an existing one is never completed or pruned.
class SettingsSimple : public QSettings
{
    Q_OBJECT
public:
    SettingsSimple(const QString &fileName, QSettings::Format format, QObject *parent = nullptr);

    using QSettings::setValue;
    using QSettings::value;

    Q_INVOKABLE QString value(QString group, QString key, QString defaultValue);
    Q_INVOKABLE void setValue(QString group, QString key, QVariant value);

private:
    void writeDefaults();
};

} // namespace LynClientBase
