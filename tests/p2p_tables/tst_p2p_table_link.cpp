// A table controller over a real P2P link to the in-process stand-in server:
// it lists the stream table, sees another connection's insertion, and turns a
// burst of change notifications into one refresh now and one a second later.
#include "FrameReader.h"
#include "P2pModeLink.h"
#include "P2pServer.h"
#include "StreamsController.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using P2pClientController::OriginalModel;

class TstP2pTableLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        m_server.accounts().add("viewer", "viewer-secret");
        m_server.accounts().add("editor", "editor-secret");
        connect(&m_server, &Standin::P2pServer::commandReceived, this, [this](QString sign, QString fn) {
            if (sign == QLatin1String("viewer") && fn == QLatin1String("peersManager_trGetList"))
                ++m_viewerLists;
        });

        m_client.p2pLink()->setSign("viewer");
        m_client.p2pLink()->setPwd("viewer-secret");
        QVERIFY(m_client.start("127.0.0.1", m_server.port()));
        QVERIFY(m_client.logIn(5000));

        m_editor.connectToHost(QHostAddress::LocalHost, m_server.port());
        QVERIFY(m_editor.waitForConnected(5000));
        editorSend({{"FN", "auth_trAuth"}, {"SIGN", "editor"}, {"SID", "editor-secret"}});
        QVERIFY(QTest::qWaitFor([this] { return hasEditorAnswer("auth_saAuth"); }, 5000));
    }

    void listsTheTableAndSeesAnInsertion()
    {
        editorSend({{"FN", "peersManager_trNew"}, {"name", "gate"}, {"description", "front gate"}});
        QVERIFY(QTest::qWaitFor([this] { return hasEditorAnswer("peersManager_saNew"); }, 5000));

        StreamsController controller;
        QAbstractItemModelTester modelTester(controller.originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester proxyTester(controller.proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        OriginalModel *model = controller.originalModel();
        controller.setUseTrGetList(true);
        DTO query;
        controller.trGetList(query);
        QTRY_VERIFY_WITH_TIMEOUT(model->dataAtLeastLoaded(), 5000);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->originalData(0, "name").toString(), QStringLiteral("gate"));

        QSignalSpy inserted(&controller, &StreamsController::srInserted);
        editorSend({{"FN", "peersManager_trNew"}, {"name", "yard"}, {"description", "back yard"}});
        QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 2, 5000);
        QVERIFY(model->checkValueByRole("name", "yard") >= 0 && model->checkValueByRole("name", "gate") >= 0);
        QVERIFY(inserted.count() >= 1);

        // Another connection removes a record; our remove of it answers "already gone" and the row goes.
        const QString yardId = model->originalData(model->checkValueByRole("name", "yard"), "id").toString();
        editorSend({{"FN", "peersManager_trRemove"}, {"id", yardId}});
        QVERIFY(QTest::qWaitFor([this] { return hasEditorAnswer("peersManager_saRemove"); }, 5000));
        QSignalSpy removed(&controller, &StreamsController::saRemove);
        DTO remove{{"id", yardId}};
        controller.trRemove(remove);
        QVERIFY(removed.count() || removed.wait(5000));
        QCOMPARE(removed.first().at(0).value<DTO>().value("ERRCODE").toInt(), 110);
        QCOMPARE(model->findId(yardId), -1);
    }

    void burstOfUpdatesCausesTwoRefreshes()
    {
        StreamsController controller;
        QAbstractItemModelTester modelTester(controller.originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        controller.setUseTrGetList(true);
        DTO query;
        controller.trGetList(query);
        QTRY_VERIFY_WITH_TIMEOUT(controller.originalModel()->dataAtLeastLoaded(), 5000);
        const QString id = controller.originalModel()->originalData(0, "id").toString();
        QVERIFY(!id.isEmpty());

        QSignalSpy updated(&controller, &StreamsController::srUpdated);
        m_viewerLists = 0;
        // Ten updates in one frame: ten notifications reach the viewer at once.
        QList<QJsonObject> burst;
        for (int i = 0; i < 10; ++i)
            burst.append({{"FN", "peersManager_trUpdate"}, {"id", id}, {"description", QStringLiteral("take %1").arg(i)}});
        m_editor.write(Standin::FrameReader::encode(burst));

        QTRY_COMPARE_WITH_TIMEOUT(m_viewerLists, 2, 5000);
        QCOMPARE(updated.count(), 2);
        // Nothing more follows the trailing refresh.
        QVERIFY(!QTest::qWaitFor([this] { return m_viewerLists > 2; }, 2500));
        QTRY_COMPARE_WITH_TIMEOUT(controller.originalModel()->originalData(0, "description").toString(), QStringLiteral("take 9"), 5000);
    }

private:
    void editorSend(const QJsonObject &message)
    {
        m_editor.write(Standin::FrameReader::encode({message}));
    }

    bool hasEditorAnswer(const QString &fn)
    {
        m_editorReader.append(m_editor.readAll());
        for (const QByteArray &body : m_editorReader.takeBodies()) {
            for (const QJsonValue &item : QJsonDocument::fromJson(body).array())
                m_editorAnswers.append(item.toObject().value("FN").toString());
        }
        return m_editorAnswers.removeOne(fn);
    }

    QTemporaryDir m_dir;
    Standin::ServerLog m_log;
    Standin::P2pServer m_server{m_log, m_dir.filePath("p2p.sqlite")};
    P2pModeLink m_client;
    QTcpSocket m_editor;
    Standin::FrameReader m_editorReader;
    QStringList m_editorAnswers;
    int m_viewerLists = 0;
};

QTEST_GUILESS_MAIN(TstP2pTableLink)
#include "tst_p2p_table_link.moc"
