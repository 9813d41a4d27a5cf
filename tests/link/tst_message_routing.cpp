#include "base/HandleRecievedMessages.h"
#include "base/MessageEnvelope.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using namespace LynClientBase;

namespace {
// Spies on every signal the router declares.
class AllSignals
{
public:
    explicit AllSignals(HandleRecievedMessages &router)
    {
        const QMetaObject *meta = router.metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() == QMetaMethod::Signal)
                m_spies.push_back(std::make_unique<QSignalSpy>(&router, ("2" + method.methodSignature()).constData()));
        }
    }
    int total() const
    {
        int sum = 0;
        for (const auto &spy : m_spies)
            sum += spy->count();
        return sum;
    }

private:
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};
} // namespace

class TstMessageRouting : public QObject
{
    Q_OBJECT
private slots:
    // Known names reach their signals in every controller test through this
    // router; here the names that reach none.
    void unknownOrMissingNamesReachNobody_data()
    {
        QTest::addColumn<QJsonObject>("message");
        QTest::newRow("app") << QJsonObject{{"ctl", "app"}, {"action", "saShutdownServer"}};
        QTest::newRow("no ctl") << QJsonObject{{"action", "saQuery"}};
        QTest::newRow("other case") << QJsonObject{{"ctl", "Cam"}, {"action", "saQuery"}};
        QTest::newRow("ctl not text") << QJsonObject{{"ctl", 5}, {"action", "saQuery"}};
    }

    void unknownOrMissingNamesReachNobody()
    {
        QFETCH(QJsonObject, message);
        HandleRecievedMessages router;
        AllSignals all(router);
        router.onMessageReceived(message);
        QCOMPARE(all.total(), 0);
    }

    void envelopeKeysOverwritePayloadAndTextIsIndentedAndSorted()
    {
        const QJsonObject payload{{"zeta", 1}, {"ctl", "bad"}, {"action", "bad"}, {"_receiver", "bad"}, {"alpha", "a"}};
        const QJsonObject message = MessageEnvelope::wrap(payload, "cam", "trQuery", "12");
        QCOMPARE(message.value("ctl").toString(), QStringLiteral("cam"));
        QCOMPARE(message.value("action").toString(), QStringLiteral("trQuery"));
        QCOMPARE(message.value("_receiver").toString(), QStringLiteral("12"));
        QCOMPARE(message.value("zeta").toInt(), 1);

        const QString text = MessageEnvelope::toText(message);
        QCOMPARE(text, QStringLiteral("{\n    \"_receiver\": \"12\",\n    \"action\": \"trQuery\",\n    \"alpha\": \"a\",\n"
                                      "    \"ctl\": \"cam\",\n    \"zeta\": 1\n}\n"));
    }
};

QTEST_GUILESS_MAIN(TstMessageRouting)
#include "tst_message_routing.moc"
