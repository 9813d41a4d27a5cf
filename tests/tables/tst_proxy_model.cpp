#include "LogCapture.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/models/ArchiveModel.h"
#include "controllers/models/DeviceModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <random>

using LynClientController::OriginalModel;
using LynClientController::ProxyModel;

// Searching, hard filters in groups and ordering of the proxy over a device table.
class TstProxyModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<OriginalModel> m_model;
    std::unique_ptr<ProxyModel> m_proxy;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    std::unique_ptr<QAbstractItemModelTester> m_proxyTester;

    void addDevice(qint64 id, const QString &name, int camType, const QString &source = QString())
    {
        m_model->addRow({{"rowID", id}, {"dtUpdate", id}, {"deviceName", name}, {"camType", camType}, {"source", source}});
    }

    QStringList shown(const QString &role = QStringLiteral("deviceName")) const
    {
        QStringList names;
        for (int row = 0; row < m_proxy->rowCount(); ++row)
            names.append(m_proxy->proxyData(row, role).toString());
        return names;
    }

private slots:
    void init()
    {
        m_model = std::make_unique<OriginalModel>();
        m_model->setModelBase(QSharedPointer<LYNModels::DeviceModel>::create());
        m_modelTester = std::make_unique<QAbstractItemModelTester>(m_model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        m_proxy = std::make_unique<ProxyModel>();
        m_proxy->setOriginalModel(m_model.get());
        m_proxyTester = std::make_unique<QAbstractItemModelTester>(m_proxy.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        addDevice(1, "Front door", 2, "rtsp://10.0.0.1/main");
        addDevice(2, "Garden back", 3);
        addDevice(3, "Back door", 2, "rtsp://10.0.0.3/door");
        addDevice(4, "garage", 4);
        m_proxy->sortRows();
    }

    void cleanup()
    {
        m_proxyTester.reset();
        m_proxy.reset();
        m_modelTester.reset();
        m_model.reset();
    }

    // Matching itself is checked against a reference below; here what it reports
    // and that the words of a search must meet in one field.
    void searchReportsItsCountAndWordsMeetInOneField()
    {
        QSignalSpy finished(m_proxy.get(), &ProxyModel::filterFinished);
        m_proxy->setFilterPattern("DOOR back");
        QCOMPARE(shown(), QStringList{"Back door"});
        QCOMPARE(m_proxy->getFilterRowCount(), 1);
        QCOMPARE(finished.count(), 1);

        m_proxy->setFilterPattern("front 10.0.0.1");
        QCOMPARE(m_proxy->rowCount(), 0);
        m_proxy->setFilterPattern("");
        QCOMPARE(m_proxy->rowCount(), 4);
    }

    // The search answers as the case-blind expression of its words would, for
    // texts with line breaks, letters beyond ASCII and expression syntax.
    void searchAgreesWithTheWordsExpression_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::newRow("extended") << true;
        QTest::newRow("plain") << false;
    }

    void searchAgreesWithTheWordsExpression()
    {
        QFETCH(bool, extended);
        const QStringList pieces{"door", "DOOR", "Dö", "dÖ", "ss", "ß", " ", "\n", "1", ".", "a*", "(", "Ǆ", "ǆ"};
        std::mt19937 random(extended ? 7 : 8);
        auto text = [&](int parts) {
            QString t;
            for (int i = 0; i < parts; ++i)
                t += pieces.at(int(random() % unsigned(pieces.size())));
            return t;
        };
        m_model->clear();
        QStringList names;
        for (int id = 1; id <= 300; ++id) {
            names.append(text(1 + int(random() % 5)));
            addDevice(id, names.last(), 1);
        }
        m_proxy->setFilterFields({"deviceName"});
        m_proxy->setExtendedSearch(extended);
        int shownSome = 0;
        for (int i = 0; i < 60; ++i) {
            const QString pattern = text(1 + int(random() % 3));
            QString expression = pattern;
            const QStringList words = pattern.split(' ');
            if (extended && words.size() >= 2) {
                expression.clear();
                for (const QString &word : words)
                    expression += "(?=.*" + word + ")";
            }
            const QRegularExpression reference(expression, QRegularExpression::CaseInsensitiveOption);
            QStringList expected;
            for (int id = 300; id >= 1; --id) {
                if (reference.match(names.at(id - 1)).hasMatch())
                    expected.append(names.at(id - 1));
            }
            m_proxy->setFilterPattern(pattern);
            QCOMPARE(shown(), expected);
            shownSome += expected.isEmpty() ? 0 : 1;
        }
        QVERIFY(shownSome > 10);
    }

    void searchFieldsDecideWhatIsSearched()
    {
        m_proxy->setFilterFields({"source"});
        m_proxy->setFilterPattern("door");
        QCOMPARE(shown(), QStringList{"Back door"});
        m_proxy->setFilterFields({});
        m_proxy->setFilterPattern("");
        QCOMPARE(m_proxy->rowCount(), 0);

        LogCapture log;
        m_proxy->setFilterFields({"nosuchfield", "deviceName"});
        QCOMPARE(m_proxy->rowCount(), 4);
        QVERIFY(log.contains("ProxyModel::filterAcceptsRow(): role 'nosuchfield' not found in original model"));
    }

    void hardFilterLeavesTheSearchOfItsField()
    {
        m_proxy->setFilterFields({"camType", "deviceName"});
        m_proxy->setFilterPattern("3");
        QCOMPARE(shown(), QStringList{"Garden back"});
        m_proxy->setHardFilterRole("camType", "=", 2);
        // camType is no longer searched, so "3" matches nothing left.
        QCOMPARE(m_proxy->rowCount(), 0);
        m_proxy->setFilterPattern("");
        QCOMPARE(shown(), (QStringList{"Back door", "Front door"}));
        m_proxy->removeHardFilterRole("camType", "2");
        QCOMPARE(m_proxy->rowCount(), 4);
    }

    void conditionsJoinByThePreviousFilter()
    {
        // First filter's "or" joins the second: camType = 3 OR camType = 4.
        m_proxy->appendHardFilterRole("camType", "=", 3, "or");
        m_proxy->appendHardFilterRole("camType", "=", 4, "and");
        QCOMPARE(shown(), (QStringList{"garage", "Garden back"}));

        m_proxy->clearHardFilter();
        m_proxy->appendHardFilterRole("camType", "=", 3, "and");
        m_proxy->appendHardFilterRole("camType", "=", 4, "or");
        QCOMPARE(m_proxy->rowCount(), 0);

        m_proxy->clearHardFilter();
        m_proxy->appendHardFilterRole("rowID", ">=", 2);
        m_proxy->appendHardFilterRole("rowID", "<", 4);
        QCOMPARE(shown(), (QStringList{"Back door", "Garden back"}));
    }

    void groupsAreJoinedInOrder()
    {
        m_proxy->clearHardFilterGroup();
        m_proxy->appendHardFilterGroup("kind", "or");
        m_proxy->appendHardFilterGroup("ids", "and");
        m_proxy->beginPrepare();
        m_proxy->appendHardFilterRole("camType", "=", 4, "and", "kind");
        m_proxy->appendHardFilterRole("rowID", "<=", 1, "and", "ids");
        QCOMPARE(m_proxy->rowCount(), 4);
        m_proxy->endPrepare();
        QCOMPARE(shown(), (QStringList{"garage", "Front door"}));
    }

    void missingGroupRejectsEveryRowUntilItExists()
    {
        LogCapture log;
        m_proxy->appendHardFilterRole("camType", "=", 2, "and", "late");
        QCOMPARE(m_proxy->rowCount(), 0);
        QVERIFY(log.contains("_group_filter_exp doesn't contain value for key='late'"));
        m_proxy->appendHardFilterGroup("late", "and");
        m_proxy->invalidateFilter();
        QCOMPARE(m_proxy->rowCount(), 2);

        m_proxy->removeHardFilterGroup("late");
        m_proxy->invalidateFilter();
        QCOMPARE(m_proxy->rowCount(), 0);
    }

    void unknownOperationOrConditionIsLogged()
    {
        LogCapture log;
        m_proxy->appendHardFilterRole("camType", "~", 2);
        QCOMPARE(m_proxy->rowCount(), 0);
        QVERIFY(log.contains("LynClientController::ProxyModel::filterAcceptsRow, description: Invalid expression operation '~'."));

        m_proxy->clearHardFilter();
        m_proxy->appendHardFilterRole("camType", "=", 2, "xor");
        m_proxy->appendHardFilterRole("camType", "=", 3);
        QCOMPARE(shown(), (QStringList{"Back door", "Front door"}));
        QVERIFY(log.contains("description: Invalid group expression operation 'xor'."));

        m_proxy->clearHardFilter();
        m_proxy->appendHardFilterGroup("other", "nand");
        m_proxy->removeHardFilterGroup("default");
        m_proxy->appendHardFilterGroup("default", "and");
        m_proxy->appendHardFilterRole("camType", "=", 2);
        QVERIFY(log.contains("Invalid group expression condition: nand"));
    }

    void sortsByTypeCodeWithRowIdTieBreak()
    {
        QSignalSpy role(m_proxy.get(), &ProxyModel::sortedRoleChanged);
        m_proxy->sortRows("deviceName", Qt::AscendingOrder);
        QCOMPARE(shown(), (QStringList{"Back door", "Front door", "garage", "Garden back"}));
        QCOMPARE(role.count(), 1);
        QCOMPARE(m_proxy->sortedRole(), QStringLiteral("deviceName"));

        m_proxy->sortRows("camType", Qt::AscendingOrder);
        QCOMPARE(shown("rowID"), (QStringList{"1", "3", "2", "4"}));
        m_proxy->sortRows("camType", Qt::DescendingOrder);
        QCOMPARE(shown("rowID"), (QStringList{"4", "2", "3", "1"}));

        // Numbers compare as numbers for whole-number fields.
        addDevice(10, "ten", 10);
        m_proxy->sortRows("camType", Qt::AscendingOrder);
        QCOMPARE(shown("rowID").last(), QStringLiteral("10"));
    }

    void lookupsThroughTheProxy()
    {
        m_proxy->setHardFilterRole("camType", "=", 3);
        QCOMPARE(m_proxy->proxyData(1).value("deviceName").toString(), QStringLiteral("Front door"));
        QVERIFY(m_proxy->proxyData(99).isEmpty());
        QCOMPARE(m_proxy->checkValueByRole("deviceName", "Garden back"), 0);
        QCOMPARE(m_proxy->checkValueByRole("deviceName", "Front door"), -1);
        QCOMPARE(m_proxy->checkValueByRole(QStringList{}, QVariantList{}), 0);
        QCOMPARE(m_proxy->proxyData("deviceName", "Garden back", "camType").toInt(), 3);
        QVERIFY(!m_proxy->proxyData(5, "deviceName").isValid());
    }

    void filtersSetBeforeAFreshAnswerHoldForItsRecords()
    {
        // Each proxy decides about an answer's records as they are read: with its own filters, on the final record.
        ProxyModel everything;
        everything.setOriginalModel(m_model.get());
        QAbstractItemModelTester tester(&everything, QAbstractItemModelTester::FailureReportingMode::Fatal);
        m_proxy->setHardFilterRole("camType", "=", 2);
        m_proxy->setFilterPattern("door");
        {
            NtCommon::TableAnswer answer(m_model.get(), true);
            m_model->addRow({{"rowID", 13}, {"dtUpdate", 1}, {"deviceName", "Porch door"}, {"camType", 3}});
            m_model->addRow({{"rowID", 10}, {"dtUpdate", 1}, {"deviceName", "Side door"}, {"camType", 2}});
            m_model->addRow({{"rowID", 14}, {"dtUpdate", 1}, {"deviceName", "Gate door"}, {"camType", 2}});
            m_model->addRow({{"rowID", 11}, {"dtUpdate", 1}, {"deviceName", "Hall door"}, {"camType", 3}});
            m_model->addRow({{"rowID", 12}, {"dtUpdate", 1}, {"deviceName", "Shed"}, {"camType", 2}});
            m_model->addRow({{"rowID", 13}, {"dtUpdate", 2}, {"camType", 2}});
            m_model->addRow({{"rowID", 14}, {"dtUpdate", 2}, {"camType", 5}});
        }
        NtCommon::TableAnswer::finish(m_model.get(), m_proxy.get());
        QCOMPARE(shown("rowID"), (QStringList{"13", "10"}));
        everything.sortRows();
        QCOMPARE(everything.rowCount(), 5);

        m_proxy->clearHardFilter();
        QCOMPARE(shown("rowID"), (QStringList{"14", "13", "11", "10"}));
    }

    void mergedUpdatesNotifyPerRunAndReFilterOnlyTheirRows()
    {
        // Every decision on a row logs the missing field once: the log counts the rows decided.
        LogCapture log;
        m_proxy->setFilterFields({"nosuchfield", "deviceName"});
        const QString missing = QStringLiteral("role 'nosuchfield' not found in original model");
        QCOMPARE(log.count(missing), 4);
        m_proxy->invalidateFilter();
        QCOMPARE(log.count(missing), 8);

        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy listChanged(m_model.get(), &OriginalModel::dataListChanged);
        m_model->mergeRecords({{{"rowID", 4}, {"deviceName", "garage door"}}, {{"rowID", 3}, {"deviceName", "Back door 2"}},
                               {{"rowID", 1}, {"deviceName", "Front"}}, {{"rowID", 2}, {"dtUpdate", 0}, {"deviceName", "older"}}});
        // Rows 0 and 1 (ids 4 and 3) form one run, row 3 (id 1) another; id 2 was older and is dropped.
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 1);
        QCOMPARE(changed.at(1).at(0).toModelIndex().row(), 3);
        QCOMPARE(listChanged.count(), 3);
        QCOMPARE(log.count(missing), 8 + 3);

        m_proxy->setFilterPattern("door");
        QCOMPARE(shown(), (QStringList{"garage door", "Back door 2"}));
    }

    void sourceChangesRefilterUnlessPreparing()
    {
        m_proxy->setHardFilterRole("camType", "=", 2);
        QCOMPARE(m_proxy->rowCount(), 2);
        m_proxy->beginPrepare();
        m_model->updateValue(QStringLiteral("4"), "camType", 2);
        QCOMPARE(m_proxy->rowCount(), 2);
        m_proxy->endPrepare();
        QCOMPARE(m_proxy->rowCount(), 3);
        m_model->addRow({{"rowID", 4}, {"dtUpdate", 99}, {"camType", 3}});
        QCOMPARE(m_proxy->rowCount(), 2);
        addDevice(20, "new one", 2);
        QCOMPARE(m_proxy->rowCount(), 3);
    }
};

QTEST_MAIN(TstProxyModel)
#include "tst_proxy_model.moc"
