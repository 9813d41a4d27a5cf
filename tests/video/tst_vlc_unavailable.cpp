// Without libvlc's plug-ins no libvlc instance can be made: the player logs
// the critical line, reads neutral values and does not crash. The plug-in
// directory is hidden in a private mount namespace.
#include <QtTest>

class TestVlcUnavailable : public QObject
{
    Q_OBJECT

private slots:
    void playerWithoutLibvlc();
};

void TestVlcUnavailable::playerWithoutLibvlc()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    if (QProcess::execute(QStringLiteral("unshare"), {"-m", "true"}) != 0)
        QSKIP("this machine does not allow a private mount namespace");
    QProcess probe;
    probe.start(QStringLiteral("unshare"),
                {"-m", "sh", "-c", "mount --bind \"$1\" \"$2\" || exit 77; exec \"$3\"", "sh", empty.path(),
                 QStringLiteral(VLC_PLUGINS_DIR), QStringLiteral(VLC_PROBE)});
    QVERIFY(probe.waitForFinished(60000));
    const QByteArray output = probe.readAllStandardOutput();
    if (probe.exitCode() == 77)
        QSKIP("this machine does not allow a private mount namespace");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QVERIFY2(output.contains("critical Couldn't create libvlc instance. Check vlc plugins dir."), output);
    QVERIFY2(output.contains("open=0 state=0 length=0 mrl= add=-1 items=0 width=0 track=-1 volume=0"), output);
}

QTEST_GUILESS_MAIN(TestVlcUnavailable)
#include "tst_vlc_unavailable.moc"
