// The server link and the table controllers against the stand-in server
// process when it dies, is restarted with changes made meanwhile, or stops
// answering: the link comes back by itself and the models end up equal to the
// server's tables, row for row.
#include "ArchiveTestController.h"
#include "StandinProcess.h"
#include "ControllersLink.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/device/DeviceController.h"
#include "controllers/settings/TelegramSettingsController.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <signal.h>

#include <memory>

using namespace LynClientController;

namespace {

const QString kDb = QStringLiteral("tables");

// rowID → dtUpdate of a table or a model, with a note of any row held twice.
struct Rows
{
    QMap<qlonglong, qlonglong> stamps;
    QStringList twins;
};

Rows modelRows(const OriginalModel *model)
{
    Rows rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const qlonglong id = model->originalData(row, QStringLiteral("rowID")).toLongLong();
        if (rows.stamps.contains(id))
            rows.twins << QString::number(id);
        rows.stamps.insert(id, model->originalData(row, QStringLiteral("dtUpdate")).toLongLong());
    }
    return rows;
}

} // namespace

class TstServerFaults : public QObject
{
    Q_OBJECT

    StandinProcess m_server;
    ControllersLink m_link;
    QList<ControllerItemBase *> m_controllers;
    QMap<ControllerItemBase *, QString> m_tables;

    // Opened the way a screen opens it: answers fed into the model, queries on.
    void open(ControllerItemBase *controller, const QString &table)
    {
        new ScreenFeeder(controller);
        controller->setUseTrQuery(true);
        new QAbstractItemModelTester(controller->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, controller);
        new QAbstractItemModelTester(controller->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, controller);
        m_controllers << controller;
        m_tables.insert(controller, table);
        controller->trQuery();
    }

    Rows tableRows(const QString &table)
    {
        Rows rows;
        QSqlQuery query(QSqlDatabase::database(kDb));
        if (!query.exec(QStringLiteral("SELECT rowID, dtUpdate FROM \"%1\"").arg(table)))
            rows.twins << query.lastError().text();
        while (query.next())
            rows.stamps.insert(query.value(0).toLongLong(), query.value(1).toLongLong());
        return rows;
    }

    // Empty when every model equals its table; otherwise what differs.
    QString mismatch()
    {
        QStringList found;
        for (ControllerItemBase *controller : m_controllers) {
            const QString table = m_tables.value(controller);
            const Rows held = modelRows(controller->originalModel());
            const Rows stored = tableRows(table);
            if (!held.twins.isEmpty())
                found << QStringLiteral("%1 holds twice: %2").arg(table, held.twins.join(' '));
            if (!stored.twins.isEmpty())
                found << QStringLiteral("%1 unreadable: %2").arg(table, stored.twins.join(' '));
            for (auto it = stored.stamps.constBegin(); it != stored.stamps.constEnd(); ++it) {
                if (!held.stamps.contains(it.key()))
                    found << QStringLiteral("%1 lacks %2").arg(table).arg(it.key());
                else if (held.stamps.value(it.key()) != it.value())
                    found << QStringLiteral("%1 holds %2 as of %3, not %4").arg(table).arg(it.key()).arg(held.stamps.value(it.key())).arg(it.value());
            }
            for (const qlonglong id : held.stamps.keys()) {
                if (!stored.stamps.contains(id))
                    found << QStringLiteral("%1 still holds %2").arg(table).arg(id);
            }
        }
        return found.join(QStringLiteral("; "));
    }

    bool exec(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(kDb));
        if (query.exec(statement))
            return true;
        qWarning() << statement << query.lastError().text();
        return false;
    }

    // What another client could have done while this one was cut off: a
    // device renamed, a recording removed and another one added.
    bool changeTablesMeanwhile()
    {
        QSqlQuery columns(QSqlDatabase::database(kDb));
        QStringList names;
        if (!columns.exec(QStringLiteral("PRAGMA table_info(archive)")))
            return false;
        while (columns.next()) {
            if (columns.value(1).toString() != QLatin1String("rowID"))
                names << QStringLiteral("\"%1\"").arg(columns.value(1).toString());
        }
        const QString list = names.join(QStringLiteral(", "));
        QString copied = list;
        copied.replace(QStringLiteral("\"dtUpdate\""), QStringLiteral("(SELECT MAX(dtUpdate) FROM archive) + 500"));
        return exec(QStringLiteral("UPDATE cam SET deviceName = deviceName || ' moved', dtUpdate = (SELECT MAX(dtUpdate) FROM cam) + 1000 "
                                   "WHERE rowID = (SELECT MIN(rowID) FROM cam)"))
            && exec(QStringLiteral("DELETE FROM archive WHERE rowID = (SELECT MAX(rowID) FROM archive)"))
            && exec(QStringLiteral("INSERT INTO archive (%1) SELECT %2 FROM archive WHERE rowID = (SELECT MIN(rowID) FROM archive)")
                        .arg(list, copied));
    }

    bool waitForState(QSignalSpy &spy, bool connected, int timeoutMs)
    {
        const auto seen = [&] { return !spy.isEmpty() && spy.last().at(0).toBool() == connected; };
        return QTest::qWaitFor(seen, timeoutMs);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start({"--no-live"}));
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kDb);
        db.setDatabaseName(m_server.folder() + QStringLiteral("/localserver.db"));
        QVERIFY(db.open());
        QVERIFY(m_link.start(m_server.port()));
        QSignalSpy state(m_link.probe(), &LinkProbe::connectionState);
        QVERIFY(waitForState(state, true, 10000));
        open(new DeviceController(this), QStringLiteral("cam"));
        open(new ArchiveController(this), QStringLiteral("archive"));
        open(new TelegramSettingsController(this), QStringLiteral("telegramSettings"));
        QTRY_VERIFY2_WITH_TIMEOUT(mismatch().isEmpty(), qPrintable(mismatch()), 20000);
        QVERIFY(m_controllers.first()->originalModel()->rowCount() > 0);
    }

    void killedServerIsRejoinedWithNothingLostOrTwice()
    {
        const quint16 port = m_server.port();
        QSignalSpy state(m_link.probe(), &LinkProbe::connectionState);
        m_server.killHard();
        QVERIFY(waitForState(state, false, 10000));

        QVERIFY(changeTablesMeanwhile());
        QVERIFY(!mismatch().isEmpty());
        QVERIFY(m_server.start({"--no-live", "--port", QString::number(port)}));
        QElapsedTimer back;
        back.start();
        QVERIFY(waitForState(state, true, 15000));
        QVERIFY2(back.elapsed() <= 2000, qPrintable(QStringLiteral("the link came back after %1 ms").arg(back.elapsed())));
        QTRY_VERIFY2_WITH_TIMEOUT(mismatch().isEmpty(), qPrintable(mismatch()), 20000);
    }

    void silentServerIsLeftAtThePongTimeout()
    {
        QSignalSpy state(m_link.probe(), &LinkProbe::connectionState);
        const qlonglong before = m_link.amountConnected();
        // A pid of 0 would stop this very process group.
        QVERIFY(m_server.isRunning() && m_server.pid() > 0);
        QVERIFY(::kill(pid_t(m_server.pid()), SIGSTOP) == 0);
        // One ping period and the pong time-out, with room for a busy machine.
        const bool left = waitForState(state, false, 40000);
        ::kill(pid_t(m_server.pid()), SIGCONT);
        QVERIFY2(left, "the link stayed up on a server that does not answer");
        QVERIFY(waitForState(state, true, 20000));
        QCOMPARE(m_link.amountConnected(), before + 1);
        QTRY_VERIFY2_WITH_TIMEOUT(mismatch().isEmpty(), qPrintable(mismatch()), 20000);
    }

    void cleanupTestCase()
    {
        qDeleteAll(m_controllers);
        m_controllers.clear();
        m_link.close();
        QSqlDatabase::database(kDb).close();
        QSqlDatabase::removeDatabase(kDb);
    }
};

QTEST_GUILESS_MAIN(TstServerFaults)
#include "tst_server_faults.moc"
