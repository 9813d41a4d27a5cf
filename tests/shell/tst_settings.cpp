#include "base/SettingsSimple.h"

#include <QTemporaryDir>
#include <QtTest>

using LynClientBase::SettingsSimple;

class TstSettings : public QObject
{
    Q_OBJECT
private slots:
    void newFileGetsTheElevenDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("main.conf");
        {
            SettingsSimple settings(path, QSettings::IniFormat);
        }
        // The INI writer sorts what it stores; what matters is the set of keys and values.
        QSettings raw(path, QSettings::IniFormat);
        QStringList pairs;
        for (const QString &key : raw.allKeys())
            pairs << key + "=" + raw.value(key).toString();
        pairs.sort();
        const QStringList expected{
            "P2pClient/remoteSign=", "P2pClient/secretKey=", "P2pClient/sign=",
            "P2pServer/enabled=no", "P2pServer/ip=127.0.0.1", "P2pServer/port=9009",
            "Server/ip=127.0.0.1", "Server/password=", "Server/port=27014",
            "other/useAutoPauseInArchive=yes", "other/useDialogOnError=no"};
        QCOMPARE(pairs, expected);
    }

    void emptyFileIsFilledButExistingFileIsNotCompleted()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.conf");
        QFile(empty).open(QIODevice::WriteOnly);
        {
            SettingsSimple settings(empty, QSettings::IniFormat);
            QCOMPARE(settings.value("Server", "port", "x"), QStringLiteral("27014"));
        }

        const QString partial = dir.filePath("partial.conf");
        {
            QFile file(partial);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Server]\nip=10.1.2.3\n");
        }
        {
            SettingsSimple settings(partial, QSettings::IniFormat);
            QCOMPARE(settings.value("Server", "ip", "x"), QStringLiteral("10.1.2.3"));
            QCOMPARE(settings.value("Server", "port", "27014"), QStringLiteral("27014"));
            QCOMPARE(settings.value("NoSuchGroup", "key", "fallback"), QStringLiteral("fallback"));
        }
        QSettings raw(partial, QSettings::IniFormat);
        QCOMPARE(raw.allKeys(), QStringList{"Server/ip"});
    }

    void valuesSurviveARestartAndNonStringsReadAsText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("main.conf");
        {
            SettingsSimple settings(path, QSettings::IniFormat);
            settings.setValue(QStringLiteral("P2pClient"), QStringLiteral("sign"), QVariant(QStringLiteral("abc")));
            settings.setValue(QStringLiteral("other"), QStringLiteral("count"), QVariant(42));
        }
        SettingsSimple again(path, QSettings::IniFormat);
        QCOMPARE(again.value("P2pClient", "sign", ""), QStringLiteral("abc"));
        QCOMPARE(again.value("other", "count", ""), QStringLiteral("42"));
        QCOMPARE(again.value("Server", "ip", ""), QStringLiteral("127.0.0.1"));
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
