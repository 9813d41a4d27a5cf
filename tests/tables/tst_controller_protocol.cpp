#include "ArchiveTestController.h"
#include "CaughtLink.h"
#include "LogCapture.h"
#include "base/LynClientNetwork.h"
#include "controllers/AppController.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace LynClientController;
using LynClientBase::LynClientNetwork;

namespace {

QJsonDocument readFixture(const QString &name, const QString &self)
{
    QFile file(QStringLiteral(FIXTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    QByteArray text = file.readAll();
    text.replace("@self", self.toUtf8());
    return QJsonDocument::fromJson(text);
}

QList<qint64> ids(const OriginalModel *model)
{
    QList<qint64> result;
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->originalData(row).value("rowID").toLongLong());
    return result;
}

} // namespace

// The controller layers against a link that is not started: every send is
// caught at the link's signal, every answer is handed in as the router would.
class TstControllerProtocol : public QObject
{
    Q_OBJECT

    std::unique_ptr<CaughtLink> m_link;

    std::unique_ptr<ArchiveTestController> controller()
    {
        auto c = std::make_unique<ArchiveTestController>();
        new ScreenFeeder(c.get());
        new QAbstractItemModelTester(c->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c.get());
        new QAbstractItemModelTester(c->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c.get());
        return c;
    }

    void answer(ArchiveTestController &c, const QString &fixture)
    {
        const QJsonObject message = readFixture(fixture, c.objectNumber()).object();
        c.onMessageReceived(message.value("action").toString(), message);
    }

private slots:
    void init()
    {
        m_link = std::make_unique<CaughtLink>();
    }

    void cleanup()
    {
        m_link.reset();
    }

    void queryIsStoredAndSentInTheEnvelope()
    {
        auto c = controller();
        QCOMPARE(c->trQuery(QJsonObject{{"a", 1}}), QJsonObject());
        QVERIFY(m_link->sent.isEmpty());

        c->setUseTrQuery(true);
        const QJsonObject data{{"rstIDDevice", 1}};
        const QJsonObject sent = c->trQuery({{"ctl", "forged"}, {"_request", "mine"}}, data, {{"limit", 5}});
        QCOMPARE(m_link->sent.size(), 1);
        QCOMPARE(m_link->sent.first(), sent);
        QCOMPARE(sent.value("ctl").toString(), QStringLiteral("archive"));
        QCOMPARE(sent.value("action").toString(), QStringLiteral("trQuery"));
        QCOMPARE(sent.value("_receiver").toString(), c->objectNumber());
        QCOMPARE(sent.value("data").toObject(), data);
        QCOMPARE(sent.value("hints").toObject().value("limit").toInt(), 5);
        QCOMPARE(c->getMapParamsFromTrQuery().value("_request").toString(), QStringLiteral("mine"));

        c->trAdd({{"x", 1}});
        c->trUpdate({});
        c->trRem({});
        c->trDuplicate({});
        c->trInfo({{"rowID", 3}});
        QStringList actions;
        for (const QJsonObject &m : qAsConst(m_link->sent))
            actions.append(m.value("action").toString());
        QCOMPARE(actions, (QStringList{"trQuery", "trAdd", "trUpdate", "trRem", "trDuplicate", "trInfo"}));
        QCOMPARE(c->defaultFieldValue("rstIDDevice").toInt(), -1);
        QVERIFY_EXCEPTION_THROWN(c->defaultFieldValue("nope"), std::runtime_error);
    }

    void ownAnswerClearsAndLoadsOthersOnlyPassBy()
    {
        auto mine = controller();
        auto other = controller();
        QVERIFY(mine->objectNumber() != other->objectNumber());
        QSignalSpy loaded(mine.get(), &ControllerItemBase::dataAtLeastLoadedChanged);
        mine->originalModel()->addRow({{"rowID", 50}, {"dtUpdate", 1}});

        answer(*mine, "query_answer.json");
        QCOMPARE(ids(mine->originalModel()), (QList<qint64>{12, 11, 10}));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(mine->originalModel()->getMaxDtUtcLastUpdate(), 1000);

        // The same answer seen by the other instance of the class.
        other->originalModel()->addRow({{"rowID", 50}, {"dtUpdate", 1}});
        const QJsonObject foreign = readFixture("query_answer.json", mine->objectNumber()).object();
        other->onMessageReceived("saQuery", foreign);
        QCOMPARE(ids(other->originalModel()), (QList<qint64>{50}));
        QVERIFY(!other->originalModel()->dataAtLeastLoaded());
    }

    void notificationsAskForNewerRecordsWithoutClearing()
    {
        auto c = controller();
        c->setUseTrQuery(true);
        c->trQuery({{"_request", "first"}}, {{"rstIDDevice", 1}, {"dtUpdate", 5}});
        answer(*c, "query_answer.json");
        m_link->sent.clear();

        QSignalSpy updated(c.get(), &ControllerDesktopBase::srUpdated);
        const QJsonObject note{{"action", "srUpdated"}, {"rowID", 11}};
        c->onMessageReceived("srUpdated", note);
        QCOMPARE(m_link->sent.size(), 1);
        const QJsonObject query = m_link->sent.first();
        QCOMPARE(query.value("action").toString(), QStringLiteral("trQuery"));
        QCOMPARE(query.value("_do_not_clear_model").toBool(), true);
        QCOMPARE(query.value("_request").toString(), QStringLiteral("srUpdated"));
        QCOMPARE(query.value("data").toObject().value("dtUpdate").toObject(), (QJsonObject{{"$gte", 1001}}));
        QCOMPARE(query.value("data").toObject().value("rstIDDevice").toInt(), 1);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(updated.first().at(0).toJsonObject(), note);

        // The answer to it merges: a newer record appears, the old ones stay.
        QJsonObject reply = query;
        reply["action"] = "saQuery";
        reply["records"] = QJsonArray{QJsonObject{{"rowID", 13}, {"dtUpdate", 1500}}};
        c->onMessageReceived("saQuery", reply);
        QCOMPARE(ids(c->originalModel()), (QList<qint64>{13, 12, 11, 10}));

        c->onMessageReceived("srInserted", {{"action", "srInserted"}});
        QCOMPARE(m_link->sent.last().value("_request").toString(), QStringLiteral("srInserted"));
        QCOMPARE(m_link->sent.last().value("data").toObject().value("dtUpdate").toObject().value("$gte").toInt(), 1501);

        c->setIgnoreSrUpdated(true);
        c->onMessageReceived("srUpdated", note);
        QCOMPARE(m_link->sent.size(), 2);
        QCOMPARE(updated.count(), 1);

        c->setUseTrQuery(false);
        QSignalSpy inserted(c.get(), &ControllerDesktopBase::srInserted);
        c->onMessageReceived("srInserted", {});
        QCOMPARE(m_link->sent.size(), 2);
        QCOMPARE(inserted.count(), 0);
    }

    void periodicRefreshWorksOnACopyEvenWithQueriesOff()
    {
        auto c = controller();
        c->setUseTrQuery(true);
        c->trQuery({{"keep", 1}}, {{"rstIDDevice", 2}});
        // A notification-driven refresh leaves its _request in the stored query.
        c->onMessageReceived("srUpdated", {});
        QCOMPARE(c->getMapParamsFromTrQuery().value("_request").toString(), QStringLiteral("srUpdated"));
        c->setUseTrQuery(false);
        m_link->sent.clear();

        QSignalSpy interval(c.get(), &ControllerDesktopBase::autoUpdateIntervalChanged);
        c->setAutoUpdateInterval(1);
        c->setAutoUpdateInterval(1);
        QCOMPARE(interval.count(), 1);
        c->setAutoUpdate(true);
        QTRY_COMPARE_WITH_TIMEOUT(m_link->sent.size(), 1, 5000);
        c->setAutoUpdate(false);
        const QJsonObject query = m_link->sent.first();
        QVERIFY(!query.contains("_request"));
        QCOMPARE(query.value("keep").toInt(), 1);
        QCOMPARE(query.value("data").toObject().value("dtUpdate").toObject().value("$gte").toInt(), 1);
        QVERIFY(!c->useTrQuery());
        QVERIFY(c->getMapParamsFromTrQuery().value("_do_not_clear_model").toBool());
        QVERIFY(!c->getMapParamsFromTrQuery().contains("_request"));
    }

    void goneRecordsLeaveTheModel()
    {
        auto c = controller();
        answer(*c, "query_answer.json");
        QSignalSpy info(c.get(), &ControllerItemBase::saInfo);
        QSignalSpy update(c.get(), &ControllerDesktopBase::saUpdate);
        c->onMessageReceived("saInfo", {{"status", "ERROR"}, {"ERRCODE", 110}, {"rowID", 11}});
        QCOMPARE(c->originalModel()->rowCount(), 3);
        c->onMessageReceived("saInfo", {{"status", "ERROR"}, {"ERRCODE", "110"}, {"rowID", 11}});
        QCOMPARE(ids(c->originalModel()), (QList<qint64>{12, 10}));
        c->onMessageReceived("saUpdate", {{"RES", "OK"}, {"ERRCODE", "130"}, {"rowID", 12}});
        QCOMPARE(c->originalModel()->rowCount(), 2);
        c->onMessageReceived("saUpdate", {{"RES", "FAIL"}, {"ERRCODE", "130"}, {"rowID", 12}});
        QCOMPARE(ids(c->originalModel()), (QList<qint64>{10}));
        c->onMessageReceived("saUpdate", {{"RES", "FAIL"}, {"ERRCODE", "130"}, {"rowID", 77}});
        QCOMPARE(c->originalModel()->rowCount(), 1);
        QCOMPARE(info.count(), 2);
        QCOMPARE(update.count(), 3);
    }

    void hostileAnswersLeaveTheModelIntact()
    {
        LogCapture log;
        auto c = controller();
        answer(*c, "query_answer.json");
        const QJsonArray messages = readFixture("hostile_messages.json", c->objectNumber()).array();
        QCOMPARE(messages.size(), 12);
        for (const QJsonValue &m : messages)
            c->onMessageReceived(m.toObject().value("action").toString(), m.toObject());
        // The two records without a whole-number rowID became (one) row 0; nothing else changed.
        QCOMPARE(ids(c->originalModel()), (QList<qint64>{12, 11, 10, 0}));
        QVERIFY(m_link->sent.isEmpty());
    }

    void withoutALinkNothingIsBuiltOrSent()
    {
        auto c = controller();
        c->setUseTrQuery(true);
        LynClientNetwork::setControllersLink({});
        try {
            c->trQuery();
            QFAIL("sent without a link");
        } catch (const std::runtime_error &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'SharedPointerEx: inline T *QSharedPointer::operator->() const', "
                                                                 "line: '54' descriptions: 'Pointer is null!'."));
        }
        QVERIFY_EXCEPTION_THROWN(ArchiveTestController(), std::runtime_error);
        // A notification that cannot be sent is logged, not thrown at the event loop.
        LogCapture log;
        c->onMessageReceived("srUpdated", {});
        QVERIFY(log.contains("onMessageReceived exception, description: ''SharedPointerEx"));
    }

    void appControllerSendsThenEndsTheLoop()
    {
        AppController app;
        QCOMPARE(app.controllerName(), QStringLiteral("app"));
        QSignalSpy shutdown(&app, &AppController::saShutdownServer);
        app.onMessageReceived("saShutdownServer", {{"status", "OK"}});
        QCOMPARE(shutdown.count(), 1);

        // Run the application's own loop: quitting must end it.
        QSignalSpy aboutToQuit(QCoreApplication::instance(), &QCoreApplication::aboutToQuit);
        QJsonObject sent;
        QTimer::singleShot(0, &app, [&] { sent = app.trCloseConnection({{"why", "test"}}); });
        QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(aboutToQuit.count(), 1);
        QCOMPARE(sent.value("action").toString(), QStringLiteral("trCloseConnection"));
        QCOMPARE(m_link->sent.size(), 1);
        QCOMPARE(m_link->sent.first().value("ctl").toString(), QStringLiteral("app"));
        QCOMPARE(m_link->sent.first().value("why").toString(), QStringLiteral("test"));

        QTimer::singleShot(0, &app, [&] { app.makeExit(); });
        QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(m_link->sent.size(), 1);
    }
};

QTEST_MAIN(TstControllerProtocol)
#include "tst_controller_protocol.moc"
