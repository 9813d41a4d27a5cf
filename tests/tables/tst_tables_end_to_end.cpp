#include "ScreenControllers.h"
#include "StandinTablesLink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest>

using namespace LynClientController;

namespace {

// A second client that talks to the server by hand.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
            received.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        QSignalSpy connected(&socket, &QWebSocket::connected);
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(port)));
        if (!(connected.count() || connected.wait(5000)))
            qFatal("raw client did not connect");
    }

    // Sends the text and waits for the answer named action.
    QJsonObject ask(const QString &text, const QString &action)
    {
        const int before = received.size();
        socket.sendTextMessage(text);
        for (int waited = 0; waited < 50; ++waited) {
            for (int i = before; i < received.size(); ++i) {
                if (received.at(i).value("action").toString() == action)
                    return received.at(i);
            }
            QTest::qWait(100);
        }
        return {};
    }
    QJsonObject ask(const QJsonObject &request, const QString &action)
    {
        return ask(QString::fromUtf8(QJsonDocument(request).toJson()), action);
    }

    QWebSocket socket;
    QList<QJsonObject> received;
};

QStringList names(const ProxyModel *proxy)
{
    QStringList result;
    for (int row = 0; row < proxy->rowCount(); ++row)
        result.append(proxy->proxyData(row, "deviceName").toString());
    return result;
}

} // namespace

// Controllers over a real link to the stand-in server and its tables.
class TstTablesEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    StandinTablesLink m_standin;

    std::unique_ptr<ArchiveTestController> controller() { return ScreenControllers::screenController<ArchiveTestController>(); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_standin.open(m_dir.filePath(QStringLiteral("%1.db").arg(QTest::currentTestFunction()))));
    }

    void cleanup()
    {
        m_standin.close();
    }

    void queryThenMergeInsertedAndDropGone()
    {
        auto c = controller();
        QSignalSpy loaded(c.get(), &ControllerItemBase::dataAtLeastLoadedChanged);
        c->trQuery({}, {{"$orderby", QJsonObject{{"dtStart", -1}}}});
        QVERIFY(loaded.count() || loaded.wait(5000));
        QCOMPARE(c->proxyModel()->rowCount(), 6);
        QCOMPARE(c->originalModel()->getMaxDtUtcLastUpdate() > 0, true);

        QSignalSpy resets(c->originalModel(), &QAbstractItemModel::modelReset);
        QSignalSpy inserted(c.get(), &ControllerDesktopBase::srInserted);
        RawClient other(m_standin.port());
        const QJsonObject added = other.ask(QJsonObject{{"ctl", "archive"}, {"action", "trAdd"}, {"_receiver", "900"},
                                                        {"rstIDDevice", 1}, {"dtStart", 42}, {"deviceName", "Side gate"}},
                                            "saAdd");
        QCOMPARE(added.value("status").toString(), QStringLiteral("OK"));
        QCOMPARE(added.value("_receiver").toString(), QStringLiteral("900"));
        const qint64 id = added.value("rowID").toVariant().toLongLong();
        QVERIFY(inserted.count() || inserted.wait(5000));
        QTRY_COMPARE_WITH_TIMEOUT(c->proxyModel()->rowCount(), 7, 5000);
        QCOMPARE(resets.count(), 0);
        QVERIFY(c->proxyModel()->checkValueByRole("deviceName", "Side gate") >= 0);
        QVERIFY(c->getMapParamsFromTrQuery().value("_do_not_clear_model").toBool());

        // An update from elsewhere arrives through srUpdated and the same merge.
        const QJsonObject updated = other.ask(QJsonObject{{"ctl", "archive"}, {"action", "trUpdate"}, {"rowID", id},
                                                          {"deviceName", "Side gate 2"}}, "saUpdate");
        QCOMPARE(updated.value("RES").toString(), QStringLiteral("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(c->proxyModel()->checkValueByRole("deviceName", "Side gate 2") >= 0, 5000);
        QCOMPARE(c->proxyModel()->rowCount(), 7);

        const QJsonObject removed = other.ask(QJsonObject{{"ctl", "archive"}, {"action", "trRem"}, {"rowID", id}}, "saRem");
        QCOMPARE(removed.value("status").toString(), QStringLiteral("OK"));
        QSignalSpy info(c.get(), &ControllerItemBase::saInfo);
        c->trInfo({{"rowID", id}});
        QVERIFY(info.count() || info.wait(5000));
        QCOMPARE(info.first().at(0).toJsonObject().value("ERRCODE").toString(), QStringLiteral("110"));
        QCOMPARE(c->proxyModel()->rowCount(), 6);
        QCOMPARE(c->originalModel()->findId(id), -1);

        QSignalSpy update(c.get(), &ControllerDesktopBase::saUpdate);
        const qint64 first = c->originalModel()->originalData(0).value("rowID").toLongLong();
        other.ask(QJsonObject{{"ctl", "archive"}, {"action", "trRem"}, {"rowID", first}}, "saRem");
        c->trUpdate({{"rowID", first}, {"deviceName", "late"}});
        QVERIFY(update.count() || update.wait(5000));
        QCOMPARE(update.first().at(0).toJsonObject().value("ERRCODE").toString(), QStringLiteral("130"));
        QCOMPARE(c->originalModel()->findId(first), -1);
    }

    void instancesOfOneClassSeeOnlyTheirOwnAnswers()
    {
        auto all = controller();
        auto one = controller();
        QSignalSpy allLoaded(all.get(), &ControllerItemBase::dataAtLeastLoadedChanged);
        all->trQuery();
        QVERIFY(allLoaded.count() || allLoaded.wait(5000));
        QCOMPARE(all->proxyModel()->rowCount(), 6);

        QSignalSpy oneLoaded(one.get(), &ControllerItemBase::dataAtLeastLoadedChanged);
        QSignalSpy allAnswers(all.get(), &ControllerItemBase::saQuery);
        one->trQuery({}, {{"$and", QJsonArray{QJsonObject{{"deviceName", QJsonObject{{"$regex", "^front"}}}},
                                              QJsonObject{{"dtStart", QJsonObject{{"$bt", QJsonArray{0, 1e15}}}}}}}});
        QVERIFY(oneLoaded.count() || oneLoaded.wait(5000));
        QCOMPARE(names(one->proxyModel()), (QStringList{"Front door", "Front door", "Front door"}));
        // The other instance heard the answer but kept its own rows.
        QCOMPARE(allAnswers.count(), 1);
        QCOMPARE(all->proxyModel()->rowCount(), 6);
    }

    void badRequestsGetErrorAnswers()
    {
        RawClient raw(m_standin.port());
        const QJsonObject unknownOp = raw.ask(QJsonObject{{"ctl", "cam"}, {"action", "trQuery"}, {"_x", 1},
                                                          {"data", QJsonObject{{"camType", QJsonObject{{"$near", 2}}}}}},
                                              "saQuery");
        QCOMPARE(unknownOp.value("status").toString(), QStringLiteral("ERROR"));
        QVERIFY(unknownOp.value("errorMessage").toString().contains("Unknown operator '$near'"));
        QCOMPARE(unknownOp.value("_x").toInt(), 1);

        const QJsonObject wrongType = raw.ask(QJsonObject{{"ctl", "cam"}, {"action", "trAdd"}, {"camType", "two"}}, "saAdd");
        QCOMPARE(wrongType.value("status").toString(), QStringLiteral("ERROR"));
        const QJsonObject badId = raw.ask(QJsonObject{{"ctl", "cam"}, {"action", "trInfo"}, {"rowID", QJsonArray{1}}}, "saInfo");
        QCOMPARE(badId.value("status").toString(), QStringLiteral("ERROR"));
        const QJsonObject unknownAction = raw.ask(QJsonObject{{"ctl", "cam"}, {"action", "trFly"}}, "saFly");
        QCOMPARE(unknownAction.value("status").toString(), QStringLiteral("ERROR"));
        raw.ask(QStringLiteral("{not json"), QString());

        const QJsonObject devices = raw.ask(QJsonObject{{"ctl", "cam"}, {"action", "trQuery"},
                                                        {"data", QJsonObject{{"camType", 2}}}}, "saQuery");
        QCOMPARE(devices.value("records").toArray().size(), 2);
        for (const QString table : {"devicePassword", "telegramSettings", "youtubeSettings", "onlineAccessSettings"})
            QCOMPARE(raw.ask(QJsonObject{{"ctl", table}, {"action", "trQuery"}}, "saQuery").value("records").toArray().size(), 1);
    }
};

QTEST_MAIN(TstTablesEndToEnd)
#include "tst_tables_end_to_end.moc"
