// The stand-in address resolver, in-process and as its executable.
#include "AddressResolver.h"
#include "TestSocket.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

class TestResolverStandin : public QObject
{
    Q_OBJECT

private slots:
    void answersWithSenderAddress();
    void malformedDatagramsAreLoggedAndIgnored();
    void executableReportsPickedPort();
};

namespace {

const QByteArray kRequest = "{\n    \"fn\": \"trPeerInfo\"\n}\n";

QJsonObject parsed(const QNetworkDatagram &datagram)
{
    return QJsonDocument::fromJson(datagram.data()).object();
}

} // namespace

void TestResolverStandin::answersWithSenderAddress()
{
    Standin::AddressResolver resolver;
    QVERIFY(resolver.listen(QHostAddress::LocalHost, 0));
    TestSocket client;
    QVERIFY(client.bind());

    client.send(kRequest, QHostAddress::LocalHost, resolver.port());
    const QNetworkDatagram reply = client.next();
    QVERIFY(reply.isValid());
    QCOMPARE(reply.senderPort(), int(resolver.port()));
    const QJsonObject answer = parsed(reply);
    QCOMPARE(answer.value(QStringLiteral("fn")).toString(), QStringLiteral("saPeerInfo"));
    QCOMPARE(answer.value(QStringLiteral("globalIp")).toString(), QStringLiteral("127.0.0.1"));
    QVERIFY(answer.value(QStringLiteral("globalPort")).isDouble());
    QCOMPARE(answer.value(QStringLiteral("globalPort")).toInt(), int(client.port()));
}

void TestResolverStandin::malformedDatagramsAreLoggedAndIgnored()
{
    Standin::AddressResolver resolver;
    QSignalSpy log(&resolver, &Standin::AddressResolver::logLine);
    QVERIFY(resolver.listen(QHostAddress::LocalHost, 0));
    TestSocket client;
    QVERIFY(client.bind());

    const QList<QByteArray> malformed{
        QByteArray("garbage\x01\xff", 9), "[{\"fn\": \"trPeerInfo\"}]", "{\"fn\": \"saPeerInfo\"}", "{\"fn\": 5}", QByteArray(),
    };
    for (const QByteArray &datagram : malformed)
        client.send(datagram, QHostAddress::LocalHost, resolver.port());
    client.send(R"({"fn": "trPeerInfo", "extra": [1]})", QHostAddress::LocalHost, resolver.port());

    // Answers keep the order of requests: the first one is for the valid request.
    const QNetworkDatagram reply = client.next();
    QVERIFY(reply.isValid());
    QCOMPARE(parsed(reply).value(QStringLiteral("fn")).toString(), QStringLiteral("saPeerInfo"));
    QCOMPARE(parsed(reply).value(QStringLiteral("globalPort")).toInt(), int(client.port()));
    QVERIFY(!client.hasPending());

    int ignored = 0;
    int received = 0;
    for (const QList<QVariant> &args : log) {
        const QString line = args.at(0).toString();
        ignored += line.startsWith(QStringLiteral("ignored datagram from 127.0.0.1:%1").arg(client.port())) ? 1 : 0;
        received += line.startsWith(QStringLiteral("datagram from 127.0.0.1:%1").arg(client.port())) ? 1 : 0;
    }
    QCOMPARE(ignored, malformed.size());
    QCOMPARE(received, malformed.size() + 1);
    bool escaped = false;
    for (const QList<QVariant> &args : log)
        escaped = escaped || args.at(0).toString().endsWith(QStringLiteral(": garbage\\x01\\xff"));
    QVERIFY(escaped);
}

void TestResolverStandin::executableReportsPickedPort()
{
    QProcess process;
    process.setProgram(QStringLiteral(LYN_RESOLVER_EXE));
    process.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
    process.start();
    QVERIFY(process.waitForStarted(5000));
    const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QRegularExpressionMatch match;
    QString output;
    while (!(match = listening.match(output)).hasMatch()) {
        QVERIFY2(process.waitForReadyRead(5000), qPrintable(output));
        output += QString::fromUtf8(process.readAllStandardOutput());
    }
    const quint16 port = match.captured(1).toUShort();
    QVERIFY(port != 0);

    TestSocket client;
    QVERIFY(client.bind());
    client.send(kRequest, QHostAddress::LocalHost, port);
    const QNetworkDatagram reply = client.next();
    QVERIFY(reply.isValid());
    QCOMPARE(parsed(reply).value(QStringLiteral("globalPort")).toInt(), int(client.port()));

    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestResolverStandin)
#include "tst_resolver_standin.moc"
