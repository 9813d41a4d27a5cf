// Rules of the P2P table layers that differ from the server link's: list
// framing by STATE, numeric RES/ERRCODE, removal on saRemove, lock state,
// refresh queries. Answers are replayed from fixtures; sent commands are
// captured from the link without a socket.
#include "StreamsController.h"
#include "StreamsModel.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <memory>

using P2pClientController::ControllerBase;
using P2pClientController::OriginalModel;

class TstP2pTableRules : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        m_link = QSharedPointer<P2pClientBase::ClientNetworkSimple>::create();
        m_dispatcher = QSharedPointer<HandleReceivedMessagesP2pClient>::create();
        QVERIFY(m_link->setMessageHandler(m_dispatcher));
        ControllerBase::setLink(m_link);
        connect(m_link.data(), &P2pClientBase::ClientNetworkSimple::sendMessageSignal, this,
                [this](std::shared_ptr<DTO> dto, bool) { m_sent.append(*dto); });
    }

    void init()
    {
        m_sent.clear();
        m_controller = std::make_unique<StreamsController>();
        m_modelTester = std::make_unique<QAbstractItemModelTester>(m_controller->originalModel(),
                                                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
        m_proxyTester = std::make_unique<QAbstractItemModelTester>(m_controller->proxyModel(),
                                                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    void cleanup()
    {
        m_proxyTester.reset();
        m_modelTester.reset();
        m_controller.reset();
    }

    void ownListClearsMergesAndMarksLoaded()
    {
        OriginalModel *model = m_controller->originalModel();
        model->addRow(DTO{{"id", "99"}, {"name", "stale"}});
        QSignalSpy lists(m_controller.get(), &StreamsController::saGetList);
        QSignalSpy loaded(m_controller.get(), &StreamsController::dataAtLeastLoadedChanged);

        replay("get_list_series.json", m_controller->receiverId());

        QCOMPARE(lists.count(), 3);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->findId("99"), -1);
        // Whole-number ids order by value, highest first, whatever form the message used.
        QCOMPARE(model->originalData(0, "id").toString(), QStringLiteral("12"));
        QCOMPARE(model->findId("2"), 1);
        QCOMPARE(model->findId("1"), 2);
        QVERIFY(model->dataAtLeastLoaded());
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(model->getMaxDtUtcLastUpdate(), 250);
        QCOMPARE(m_controller->proxyModel()->rowCount(), 3);
    }

    void anotherReceiversListNeitherClearsNorMarksLoaded()
    {
        OriginalModel *model = m_controller->originalModel();
        model->addRow(DTO{{"id", "99"}, {"name", "mine"}});
        QSignalSpy lists(m_controller.get(), &StreamsController::saGetList);

        replay("get_list_series.json", m_controller->receiverId() + 1000);

        QCOMPARE(lists.count(), 3);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->findId("99"), 0);
        QVERIFY(!model->dataAtLeastLoaded());
    }

    void staticModelTakesEveryList()
    {
        auto shared = std::make_unique<StreamsController>(true);
        QAbstractItemModelTester tester(shared->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        shared->originalModel()->addRow(DTO{{"id", "99"}});

        replay("get_list_series.json", shared->receiverId() + 1000);

        // Shared models are never cleared by a start, but take the records and the end.
        QCOMPARE(shared->originalModel()->rowCount(), 4);
        QVERIFY(shared->originalModel()->dataAtLeastLoaded());
    }

    void startWithDoNotClearKeepsRows()
    {
        OriginalModel *model = m_controller->originalModel();
        model->addRow(DTO{{"id", "99"}});
        send("saGetList", {{"STATE", "start"}, {"RECEIVER", m_controller->receiverId()}, {"_do_not_clear_model", "1"}});
        QCOMPARE(model->findId("99"), 0);
        send("saGetList", {{"STATE", "start"}, {"RECEIVER", m_controller->receiverId()}});
        QCOMPARE(model->rowCount(), 0);
        // RECEIVER as text names this controller just as well.
        model->addRow(DTO{{"id", "99"}});
        send("saGetList", {{"STATE", "start"}, {"RECEIVER", QString::number(m_controller->receiverId())},
                           {"records", QJsonArray{QJsonObject{{"id", "5"}}}}});
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->findId("5"), 0);
    }

    // Which failure answers take the row away: numeric RES 0 with ERRCODE 110
    // (info), 130 (update), and any saRemove but one with another error code.
    void failureAnswersRemoveTheRow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QJsonValue>("res");
        QTest::addColumn<QJsonValue>("errcode");
        QTest::addColumn<QJsonValue>("id");
        QTest::addColumn<bool>("removed");
        QTest::newRow("info, code as text") << "saInfo" << QJsonValue(0) << QJsonValue("110") << QJsonValue("1") << false;
        QTest::newRow("info, RES as text") << "saInfo" << QJsonValue("0") << QJsonValue(110) << QJsonValue("1") << false;
        QTest::newRow("info, success") << "saInfo" << QJsonValue(10) << QJsonValue(110) << QJsonValue("1") << false;
        QTest::newRow("info, gone") << "saInfo" << QJsonValue(0) << QJsonValue(110) << QJsonValue(1) << true;
        QTest::newRow("update, not found") << "saUpdate" << QJsonValue(0) << QJsonValue(110) << QJsonValue("2") << false;
        QTest::newRow("update, success") << "saUpdate" << QJsonValue(10) << QJsonValue(130) << QJsonValue("2") << false;
        QTest::newRow("update, gone") << "saUpdate" << QJsonValue(0) << QJsonValue(130) << QJsonValue("2") << true;
        QTest::newRow("remove, other error") << "saRemove" << QJsonValue(0) << QJsonValue(5) << QJsonValue("12") << false;
        QTest::newRow("remove, success") << "saRemove" << QJsonValue(10) << QJsonValue() << QJsonValue("12") << true;
        QTest::newRow("remove, already gone") << "saRemove" << QJsonValue(0) << QJsonValue(110) << QJsonValue("2") << true;
    }

    void failureAnswersRemoveTheRow()
    {
        QFETCH(QString, action);
        QFETCH(QJsonValue, res);
        QFETCH(QJsonValue, errcode);
        QFETCH(QJsonValue, id);
        QFETCH(bool, removed);
        fillThree();
        DTO answer{{"RES", res}, {"id", id}};
        if (!errcode.isNull())
            answer.insert("ERRCODE", errcode);
        send(action, answer);
        QCOMPARE(m_controller->originalModel()->findId(id.toVariant().toString()) == -1, removed);
        QCOMPARE(m_controller->originalModel()->rowCount(), removed ? 2 : 3);
        QVERIFY(m_sent.isEmpty());
    }

    void lockAndUnlockSetTheOwner()
    {
        fillThree();
        OriginalModel *model = m_controller->originalModel();
        QSignalSpy changed(model, &OriginalModel::dataChanged);
        QSignalSpy locks(m_controller.get(), &StreamsController::saLock);
        QSignalSpy unlocks(m_controller.get(), &StreamsController::saUnlock);

        send("saLock", {{"RES", 10}, {"id", "2"}, {"rst_id_user_locked", 42}});
        QCOMPARE(model->originalData(model->findId("2"), "rst_id_user_locked"), QVariant(QStringLiteral("42")));
        QCOMPARE(changed.count(), 1);
        send("saUnlock", {{"RES", 10}, {"id", "2"}});
        QCOMPARE(model->originalData(model->findId("2"), "rst_id_user_locked"), QVariant(QStringLiteral("1")));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(locks.count(), 1);
        QCOMPARE(unlocks.count(), 1);
    }

    void notificationRefreshAsksForNewerRecords()
    {
        fillThree();
        DTO query{{"name", "gate"}, {"_request", "first"}};
        m_controller->trGetList(query);
        QVERIFY(m_sent.isEmpty());
        m_controller->setUseTrGetList(true);
        m_controller->trGetList(query);
        m_sent.clear();
        QSignalSpy updated(m_controller.get(), &StreamsController::srUpdated);

        send("srUpdated", {{"id", "2"}});

        QCOMPARE(m_sent.size(), 1);
        const DTO refresh = m_sent.first();
        QCOMPARE(refresh.value("FN").toString(), QStringLiteral("peersManager_trGetList"));
        QVERIFY(refresh.value("dtUpdate").isDouble());
        QCOMPARE(refresh.value("dtUpdate").toDouble(), 251.0);
        QCOMPARE(refresh.value("_do_not_clear_model").toString(), QStringLiteral("1"));
        QVERIFY(!refresh.contains("_request"));
        QCOMPARE(refresh.value("name").toString(), QStringLiteral("gate"));
        QCOMPARE(updated.count(), 1);
        QCOMPARE(updated.first().at(0).value<DTO>().value("id").toString(), QStringLiteral("2"));
    }

    void periodicRefreshForcesOneQuery()
    {
        fillThree();
        m_controller->onAutoUpdateTimerTimeout();
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().value("dtUpdate").toDouble(), 251.0);
        QVERIFY(!m_controller->useTrGetList());
        // Only the periodic path is forced; a notification with queries off sends and tells nothing.
        QSignalSpy inserted(m_controller.get(), &StreamsController::srInserted);
        QSignalSpy updated(m_controller.get(), &StreamsController::srUpdated);
        send("srInserted", {{"id", "5"}});
        send("srUpdated", {{"id", "5"}});
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(updated.count(), 0);
    }

    void commandBufferKeepsOnlyItsOwnThreadsCommands()
    {
        QList<QList<DTO>> lists;
        connect(m_link.data(), &P2pClientBase::ClientNetworkSimple::sendListMessagesSignal, this,
                [&lists](QList<std::shared_ptr<DTO>> list, bool) {
                    QList<DTO> copies;
                    for (const auto &dto : list)
                        copies.append(*dto);
                    lists.append(copies);
                });
        m_controller->onBufferCmd();
        DTO params{{"id", "2"}};
        m_controller->trLock(params);

        // The server link's tunnel sends from its own thread while the GUI buffers.
        std::unique_ptr<QThread> tunnel(QThread::create([] {
            P2pClientController::SingleTcpRelayBaseController relay;
            relay.trSendRequest({{"message", "tunnelled"}});
        }));
        tunnel->start();
        QVERIFY(tunnel->wait(5000));
        QTRY_COMPARE_WITH_TIMEOUT(m_sent.size(), 1, 5000);
        QCOMPARE(m_sent.first().value("FN").toString(), QStringLiteral("singleTcpRelay_trSendRequest"));
        QCOMPARE(m_sent.first().value("message").toString(), QStringLiteral("tunnelled"));

        m_controller->sendBufferCmd();
        m_controller->offBufferCmd();
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists.first().size(), 1);
        QCOMPARE(lists.first().first().value("FN").toString(), QStringLiteral("peersManager_trLock"));
        m_controller->trUnlock(params);
        QCOMPARE(m_sent.size(), 2);
    }

    void untrustedAnswersAreDropped()
    {
        fillThree();
        replay("untrusted.json", m_controller->receiverId());
        OriginalModel *model = m_controller->originalModel();
        // Only the one well-formed record was taken; nothing else changed.
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->originalData(model->findId("7"), "name").toString(), QStringLiteral("kept"));
        QCOMPARE(model->findId("12"), 0);
        QVERIFY(model->dataAtLeastLoaded());
    }

    void textIdsSortAfterNumbers()
    {
        OriginalModel *model = m_controller->originalModel();
        for (const char *id : {"b", "10", "a", "9"})
            model->addRow(DTO{{"id", id}});
        QStringList order;
        for (int row = 0; row < model->rowCount(); ++row)
            order << model->originalData(row, "id").toString();
        QCOMPARE(order, QStringList({"10", "9", "b", "a"}));
        model->delRow("zz");
        model->delRow("b");
        QCOMPARE(model->findId("a"), 2);
        m_controller->proxyModel()->sortRows("id", Qt::DescendingOrder);
        QCOMPARE(m_controller->proxyModel()->proxyData(0, "id").toString(), QStringLiteral("10"));
        QCOMPARE(m_controller->proxyModel()->proxyData(2, "id").toString(), QStringLiteral("a"));
    }

private:
    void send(const QString &action, const DTO &message)
    {
        emit m_dispatcher->peersManagerMessage(action, std::make_shared<DTO>(message));
    }

    void fillThree()
    {
        replay("get_list_series.json", m_controller->receiverId());
        QCOMPARE(m_controller->originalModel()->rowCount(), 3);
    }

    // Sends each step of a fixture; "$self" in RECEIVER becomes `receiver`.
    void replay(const QString &fixture, qint64 receiver)
    {
        QFile file(QStringLiteral(P2P_TABLES_FIXTURES "/") + fixture);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QJsonArray steps = QJsonDocument::fromJson(file.readAll()).array();
        QVERIFY(!steps.isEmpty());
        for (const QJsonValue &step : steps) {
            DTO message(step.toObject().value("message").toObject());
            if (message.value("RECEIVER").toString() == QLatin1String("$self"))
                message.insert("RECEIVER", receiver);
            send(step.toObject().value("action").toString(), message);
        }
    }

    QSharedPointer<P2pClientBase::ClientNetworkSimple> m_link;
    QSharedPointer<HandleReceivedMessagesP2pClient> m_dispatcher;
    QList<DTO> m_sent;
    std::unique_ptr<StreamsController> m_controller;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    std::unique_ptr<QAbstractItemModelTester> m_proxyTester;
};

QTEST_GUILESS_MAIN(TstP2pTableRules)
#include "tst_p2p_table_rules.moc"
