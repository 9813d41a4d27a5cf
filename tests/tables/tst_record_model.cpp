#include "LogCapture.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/models/DeviceModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <random>

using LynClientController::OriginalModel;
using LynClientController::ProxyModel;

namespace {

class LimitedTable : public LYNCommon::ModelBase
{
public:
    explicit LimitedTable(qint64 limit)
    {
        addField(QStringLiteral("name"), PropPlain, TypeText, false, QString(), QStringLiteral("Name"));
        setLimit(limit);
    }
};

QVariantMap rec(qint64 id, qint64 dtUpdate, const QString &name = QString())
{
    QVariantMap m{{"rowID", id}, {"dtUpdate", dtUpdate}};
    if (!name.isNull())
        m.insert("name", name);
    return m;
}

QList<qint64> ids(const OriginalModel &model)
{
    QList<qint64> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.originalData(row).value("rowID").toLongLong());
    return result;
}

} // namespace

// Descriptions of the tables and the record model that mirrors them.
class TstRecordModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<OriginalModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

    OriginalModel &model(const QSharedPointer<LYNCommon::ModelBase> &description)
    {
        m_model = std::make_unique<OriginalModel>();
        m_model->setModelBase(description);
        m_tester = std::make_unique<QAbstractItemModelTester>(m_model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        return *m_model;
    }

private slots:
    void cleanup()
    {
        m_tester.reset();
        m_model.reset();
    }

    // Field order is the roles' below; here the common fields and the numbering.
    void commonFieldsAndDeclarationNumbers()
    {
        LYNModels::DeviceModel device;
        const auto &rowId = device.getFieldDescr("rowID");
        QCOMPARE(rowId.title, QStringLiteral("ID"));
        QCOMPARE(rowId.properties, 2);
        QCOMPARE(rowId.type, 2);
        QVERIFY(rowId.flag && !rowId.defaultValue.isValid());
        QCOMPARE(device.getFieldDescr("dtUpdate").defaultValue, QVariant(0));
        QCOMPARE(device.limit(), 0);
        QVERIFY(device.getFieldDescr("dtInsert").seqNum < device.getFieldDescr("deviceName").seqNum);
        QVERIFY(LYNModels::DeviceModel().getFieldDescr("rowID").seqNum > device.getFieldDescr("fileSdp").seqNum);
    }

    void rolesFollowTheFieldOrderAndUndeclaredFieldsRaise()
    {
        OriginalModel bare;
        QVERIFY(bare.roleNames().isEmpty());
        QCOMPARE(bare.getFieldProperties("rowID"), -1);

        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        const auto roles = m.roleNames();
        QCOMPARE(roles.value(257), QByteArray("dtInsert"));
        QCOMPARE(roles.value(259), QByteArray("name"));
        QCOMPARE(roles.value(260), QByteArray("rowID"));
        try {
            m.getFieldProperties("nope");
            QFAIL("no error raised");
        } catch (const std::runtime_error &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("ModelBase::getFieldDescr was called on wrong field, table: '', fldName: 'nope'"));
        }
        QCOMPARE(m.roleTitle("nope"), QString());
        QCOMPARE(m.roleTitle("name"), QStringLiteral("Name"));
    }

    void mergeKeepsRowsSortedAndAppliesOnlyNewerRecords()
    {
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        QSignalSpy changed(&m, &OriginalModel::dataListChanged);
        QSignalSpy counts(&m, &OriginalModel::rowCountChanged);
        for (qint64 id : {5, 9, 7})
            m.addRow(rec(id, 100 + id, QStringLiteral("n%1").arg(id)));
        QCOMPARE(ids(m), (QList<qint64>{9, 7, 5}));
        QCOMPARE(m.findId(7), 1);
        QCOMPARE(m.findId(8), -1);
        QCOMPARE(m.findId(1), -1);
        QCOMPARE(m.findId(10), -1);
        QCOMPARE(counts.count(), 3);
        QCOMPARE(m.getMaxDtUtcLastUpdate(), 109);

        m.addRow(rec(7, 50, "older"));
        QCOMPARE(m.originalData(1).value("name").toString(), QStringLiteral("n7"));
        QCOMPARE(changed.count(), 0);

        m.addRow(rec(7, 107, "same time"));
        QCOMPARE(m.originalData(1).value("name").toString(), QStringLiteral("same time"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last().at(0).toInt(), 1);

        m.addRow({{"rowID", 7}, {"name", "no time"}, {"stranger", 1}});
        QCOMPARE(m.originalData(1).value("name").toString(), QStringLiteral("no time"));
        QVERIFY(!m.originalData(1).contains("stranger"));
        QCOMPARE(changed.count(), 2);

        m.addRow({{"rowID", 3}, {"dtUpdate", 2000}, {"stranger", 1}});
        QCOMPARE(m.originalData(3).value("stranger").toInt(), 1);
        QCOMPARE(m.getMaxDtUtcLastUpdate(), 2000);
        QCOMPARE(m.rowCount(), 4);
    }

    void recordsWithoutAWholeNumberRowIdBecomeRowZero()
    {
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        m.addRow(rec(4, 1));
        m.addRow({{"rowID", "12"}, {"dtUpdate", "x"}});
        m.addRow({{"rowID", 8.0}});
        m.addRow({{"rowID", "abc"}, {"dtUpdate", 5}, {"name", "text id"}});
        m.addRow({{"name", "no id"}, {"dtUpdate", 7}});
        m.addRow({{"rowID", 2.5}, {"dtUpdate", 1e300}});
        QCOMPARE(ids(m), (QList<qint64>{12, 8, 4, 0}));
        QCOMPARE(m.findId(0), 3);
        // The second id-less record merged into the first one, and its time counted.
        QCOMPARE(m.originalData(3).value("name").toString(), QStringLiteral("no id"));
        QCOMPARE(m.getMaxDtUtcLastUpdate(), 7);

        // rowID is written like any other field, and look-ups follow it.
        QVERIFY(m.setData(m.index(1), 9, 260));
        QCOMPARE(m.findId(9), 1);
        m.updateValue(0, "rowID", 99);
        QCOMPARE(m.findId(99), 0);
        QCOMPARE(m.findId(12), -1);
    }

    void batchAndSingleMergesAgree_data()
    {
        QTest::addColumn<int>("seed");
        for (int seed : {1, 2, 3, 4})
            QTest::addRow("seed %d", seed) << seed;
    }

    void batchAndSingleMergesAgree()
    {
        QFETCH(int, seed);
        std::mt19937 random(seed);
        auto pick = [&](int n) { return int(random() % unsigned(n)); };
        // Answers with repeated ids, older and newer times, missing fields and strangers.
        QVector<QVector<QVariantMap>> answers;
        for (int a = 0; a < 6; ++a) {
            QVector<QVariantMap> answer;
            const int size = a == 0 ? 300 : pick(120);
            for (int i = 0; i < size; ++i) {
                QVariantMap r{{"rowID", pick(400)}, {"name", QStringLiteral("n%1").arg(pick(50))}};
                if (pick(5))
                    r.insert("dtUpdate", pick(1000));
                if (!pick(7))
                    r.insert("stranger", i);
                answer.append(r);
            }
            answers.append(answer);
        }
        auto build = [](OriginalModel &m, ProxyModel &p) {
            m.setModelBase(QSharedPointer<LimitedTable>::create(0));
            p.setOriginalModel(&m);
            p.setFilterPattern("n1 1");
            p.sortRows("name", Qt::AscendingOrder);
        };
        OriginalModel single, batched;
        ProxyModel singleProxy, batchedProxy;
        build(single, singleProxy);
        build(batched, batchedProxy);
        QAbstractItemModelTester t1(&single, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester t2(&batched, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester t3(&singleProxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester t4(&batchedProxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QSignalSpy batchedInserts(&batched, &QAbstractItemModel::rowsInserted);
        QSignalSpy batchedResets(&batched, &QAbstractItemModel::modelReset);

        for (const QVector<QVariantMap> &answer : qAsConst(answers)) {
            for (const QVariantMap &r : answer)
                single.addRow(r);
            singleProxy.sortRows();
            {
                NtCommon::TableAnswer batch(&batched, false);
                for (const QVariantMap &r : answer)
                    batched.addRow(r);
            }
            NtCommon::TableAnswer::finish(&batched, &batchedProxy);

            QCOMPARE(batched.rowCount(), single.rowCount());
            for (int row = 0; row < single.rowCount(); ++row)
                QCOMPARE(batched.originalData(row), single.originalData(row));
            QCOMPARE(batched.getMaxDtUtcLastUpdate(), single.getMaxDtUtcLastUpdate());
            QCOMPARE(batchedProxy.rowCount(), singleProxy.rowCount());
            QVERIFY(batchedProxy.rowCount() > 0);
            for (int row = 0; row < singleProxy.rowCount(); ++row)
                QCOMPARE(batchedProxy.proxyData(row, "rowID"), singleProxy.proxyData(row, "rowID"));
            // Both against the rows themselves: a decision taken on an earlier version of a row must not stay.
            int matching = 0;
            for (int row = 0; row < batched.rowCount(); ++row)
                matching += batched.originalData(row, "name").toString().contains("n1") ? 1 : 0;
            QCOMPARE(batchedProxy.rowCount(), matching);
        }
        // A few notifications per answer, not one per row.
        QVERIFY(batchedInserts.count() + batchedResets.count() <= 6 * 17);
        QVERIFY(single.rowCount() > 200);
    }

    void clearKeepsNewestUpdateAndRemovalsAreBounded()
    {
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        for (qint64 id : {1, 2, 3})
            m.addRow(rec(id, id * 10));
        m.clear();
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.getMaxDtUtcLastUpdate(), 30);
        m.addRow(rec(1, 5));
        QCOMPARE(m.getMaxDtUtcLastUpdate(), 30);

        QSignalSpy counts(&m, &OriginalModel::rowCountChanged);
        m.removeRow(-1);
        m.removeRow(1);
        m.delRow("77");
        m.delRow("garbage");
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(counts.count(), 0);
        m.delRow("1");
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(counts.count(), 0);
    }

    void limitDropsTheOldestUpdate()
    {
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(3));
        QCOMPARE(m.limit(), 3);
        m.addRow(rec(1, 300));
        m.addRow(rec(2, 100));
        m.addRow(rec(3, 200));
        m.addRow(rec(4, 400));
        QCOMPARE(ids(m), (QList<qint64>{4, 3, 1}));
        // Ties: the first one from the top (the higher rowID) goes, here the newcomer.
        m.addRow(rec(5, 200));
        QCOMPARE(ids(m), (QList<qint64>{4, 3, 1}));
    }

    void lookupsAndUpdates()
    {
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        m.addRow(rec(1, 1, "alpha"));
        m.addRow(rec(2, 1, "beta"));
        QCOMPARE(m.checkValueByRole("name", "alpha"), 1);
        QCOMPARE(m.checkValueByRole("rowID", 2), 0);
        QCOMPARE(m.checkValueByRole("rowID", "zz"), -1);
        QCOMPARE(m.checkValueByRole(QStringList{"name", "rowID"}, QVariantList{"alpha", 1}), 1);
        QCOMPARE(m.checkValueByRole(QStringList{"name", "rowID"}, QVariantList{"alpha", 2}), -1);
        QCOMPARE(m.checkValueByRole(QStringList{}, QVariantList{}), 0);
        QCOMPARE(m.originalData("name", "beta", "rowID").toInt(), 2);
        QVERIFY(!m.originalData("name", "gamma", "rowID").isValid());
        QCOMPARE(m.originalData(0, "name").toString(), QStringLiteral("beta"));
        QVERIFY(m.originalData(5).isEmpty());

        QSignalSpy dataChanged(&m, &QAbstractItemModel::dataChanged);
        m.updateValue(QStringLiteral("1"), "name", "alpha");
        QCOMPARE(dataChanged.count(), 0);
        m.updateValue(QStringLiteral("1"), "name", "ALPHA");
        QCOMPARE(dataChanged.count(), 1);
        QCOMPARE(m.originalData(1).value("name").toString(), QStringLiteral("ALPHA"));
        m.updateValue(0, "name", "quiet", false);
        QCOMPARE(dataChanged.count(), 1);
        QCOMPARE(m.originalData(0).value("name").toString(), QStringLiteral("quiet"));
        m.updateValue(9, "name", "out of range");
        m.refresh();
        QCOMPARE(dataChanged.count(), 2);
    }

    void unknownRoleIsLoggedAndAnsweredEmpty()
    {
        LogCapture log;
        OriginalModel &m = model(QSharedPointer<LimitedTable>::create(0));
        m.addRow(rec(1, 1, "alpha"));
        QVERIFY(!m.originalData(0, "nope").isValid());
        QVERIFY(log.contains("Critical Error: role 'nope' not found in role list"));
        QCOMPARE(m.data(m.index(0), 259).toString(), QStringLiteral("alpha"));
        QVERIFY(!m.data(m.index(0), 300).isValid());
        QVERIFY(!m.setData(m.index(0), "x", 100));
        QVERIFY(m.setData(m.index(0), "x", 259));
        QCOMPARE(m.data(m.index(0), 259).toString(), QStringLiteral("x"));
    }
};

QTEST_MAIN(TstRecordModel)
#include "tst_record_model.moc"
