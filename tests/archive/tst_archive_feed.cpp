// Records of an archive answer fed to a record model with only the fields the
// lines use, and the lines built from them.
#include "controllers/archive/ArchiveController.h"
#include "controllers/archive/VideoLineListController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/models/ArchiveModel.h"
#include "controllers/models/DeviceModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace LynClientController;

class TstArchiveFeed : public QObject
{
    Q_OBJECT
private slots:
    void keptFieldsMergeAndBuildLines();
};

void TstArchiveFeed::keptFieldsMergeAndBuildLines()
{
    OriginalModel archive;
    archive.setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
    QAbstractItemModelTester tester(&archive, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const qint64 day = 1796601600000;
    auto piece = [&](int row, qint64 update, int device, qint64 second) {
        return QJsonObject{{"rowID", row}, {"dtUpdate", update}, {"rstIDDevice", device}, {"type", 1},
                           {"dtStart", day + second * 1000}, {"dtEnd", day + second * 1000 + 5000},
                           {"filePath", "archive/x.mp4"}, {"detected", "person"}, {"unknownKey", 1}};
    };
    {
        NtCommon::TableAnswer batch(&archive, true);
        ArchiveController::addRecords(&archive, {piece(1, 10, 1, 60), piece(2, 10, 2, 120), QJsonValue("not a record"),
                                                 piece(3, 10, 1, 30)},
                                      VideoLineListController::archiveFields());
    }
    QCOMPARE(archive.rowCount(), 3);
    const QVariantMap kept = archive.originalData(archive.checkValueByRole("rowID", 1));
    QCOMPARE(kept.value("dtStart").toLongLong(), day + 60000);
    QCOMPARE(kept.value("dtUpdate").toLongLong(), 10);
    QVERIFY(!kept.contains("filePath"));
    QVERIFY(!kept.contains("unknownKey"));
    // The merge rule still has its update time: an older copy changes nothing, a newer one does.
    ArchiveController::addRecords(&archive, {piece(1, 5, 1, 600)}, VideoLineListController::archiveFields());
    QCOMPARE(archive.fieldValue(archive.checkValueByRole("rowID", 1), "dtStart").toLongLong(), day + 60000);
    ArchiveController::addRecords(&archive, {piece(1, 11, 1, 90)}, VideoLineListController::archiveFields());
    QCOMPARE(archive.fieldValue(archive.checkValueByRole("rowID", 1), "dtStart").toLongLong(), day + 90000);
    // Without a list every field stays.
    ArchiveController::addRecords(&archive, {piece(4, 10, 2, 10)});
    QCOMPARE(archive.originalData(archive.checkValueByRole("rowID", 4)).value("filePath").toString(), QStringLiteral("archive/x.mp4"));

    OriginalModel devices;
    devices.setModelBase(QSharedPointer<LYNModels::DeviceModel>::create());
    devices.addRow({{"rowID", 1}, {"dtUpdate", 1}, {"deviceName", "One"}});
    devices.addRow({{"rowID", 2}, {"dtUpdate", 1}, {"deviceName", "Two"}});
    VideoLineListController lines;
    QAbstractItemModelTester linesTester(lines.originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QCOMPARE(lines.buildLines(&archive, &devices, day, day + 86400000), 2);
    auto lineOf = [&](int device) {
        const int row = lines.originalModel()->checkValueByRole("rowID", device);
        return QJsonDocument::fromJson(lines.originalModel()->originalData(row, "modelOfArchiveLine").toString().toUtf8()).array();
    };
    const QJsonArray one = lineOf(1);
    QCOMPARE(one.size(), 2);
    QCOMPARE(one.at(0).toObject().value("xOffset").toDouble(), 30.0);
    QCOMPARE(one.at(1).toObject().value("xOffset").toDouble(), 90.0);
    QCOMPARE(one.at(1).toObject().value("duration").toDouble(), 5.0);
    QCOMPARE(one.at(1).toObject().value("rowID").toInt(), 1);
    QCOMPARE(lineOf(2).size(), 2);
}

QTEST_GUILESS_MAIN(TstArchiveFeed)
#include "tst_archive_feed.moc"
