#include "ScreenControllers.h"
#include "StandinTablesLink.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/device/DeviceController.h"
#include "controllers/settings/OnlineAccessSettingsController.h"
#include "controllers/settings/TelegramSettingsController.h"
#include "controllers/settings/YoutubeSettingsController.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace LynClientController;
using namespace ScreenControllers;

namespace {

QList<qint64> column(const QJsonArray &records, const QString &field)
{
    QList<qint64> values;
    for (const QJsonValue &record : records)
        values.append(record.toObject().value(field).toVariant().toLongLong());
    return values;
}

} // namespace

// The concrete controllers over a real link to the stand-in server and its tables.
class TstControllersEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    StandinTablesLink m_standin;

    template <typename Settings>
    void settingsRecordIsShared(const QString &field, const QString &value)
    {
        auto first = screenController<Settings>();
        auto second = screenController<Settings>();
        QCOMPARE(first->originalModel(), second->originalModel());
        QVERIFY(first->isStaticModel());
        const QJsonObject answer = queryAndWait(first.get());
        QCOMPARE(answer.value("records").toArray().size(), 1);
        QCOMPARE(second->proxyModel()->rowCount(), 1);
        QVERIFY(second->originalModel()->dataAtLeastLoaded());
        const qint64 id = first->originalModel()->originalData(0).value("rowID").toLongLong();

        // A change made from the second screen shows in the first at once.
        QSignalSpy changed(first->originalModel(), &OriginalModel::dataListChanged);
        const QJsonObject updated = changeAndWait(second.get(), &ControllerDesktopBase::saUpdate,
                                                  [&] { second->trUpdate({{"rowID", id}, {field, value}}); });
        QCOMPARE(updated.value("RES").toString(), QStringLiteral("OK"));
        QVERIFY(changed.count() || changed.wait(kWait));
        QCOMPARE(first->proxyModel()->proxyData(0, field).toString(), value);
        QCOMPARE(second->proxyModel()->proxyData(0, field).toString(), value);
        QCOMPARE(first->originalModel()->rowCount(), 1);
    }

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

    void devicesShareOneModel()
    {
        auto wall = screenController<DeviceController>();
        auto editor = screenController<DeviceController>();
        QCOMPARE(wall->originalModel(), editor->originalModel());
        // Earlier cases may have left rows of their own server in the shared model.
        wall->originalModel()->clear();

        const QJsonObject all = queryAndWait(wall.get());
        QCOMPARE(all.value("records").toArray().size(), 3);
        QCOMPARE(editor->proxyModel()->rowCount(), 3);
        QVERIFY(editor->originalModel()->dataAtLeastLoaded());

        // The editor's narrower query does not take rows away from the wall.
        QSignalSpy resets(wall->originalModel(), &QAbstractItemModel::modelReset);
        const QJsonObject usb = queryAndWait(editor.get(), {{"camType", 3}});
        QCOMPARE(usb.value("records").toArray().size(), 1);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(wall->proxyModel()->rowCount(), 3);

        const QJsonObject added = changeAndWait(editor.get(), &ControllerDesktopBase::saAdd, [&] {
            editor->trAdd({{"deviceName", "Back yard"}, {"camType", 2}, {"source", "rtsp://10.1.1.5/live"}});
        });
        QCOMPARE(added.value("status").toString(), QStringLiteral("OK"));
        const qint64 id = added.value("rowID").toVariant().toLongLong();
        QTRY_COMPARE_WITH_TIMEOUT(wall->proxyModel()->rowCount(), 4, kWait);
        QCOMPARE(editor->proxyModel()->rowCount(), 4);
        QCOMPARE(resets.count(), 0);

        QCOMPARE(wall->proxyModel()->proxyData(int(id)).value("deviceName").toString(), QStringLiteral("Back yard"));

        const QJsonObject renamed = changeAndWait(wall.get(), &ControllerDesktopBase::saUpdate,
                                                  [&] { wall->trUpdate({{"rowID", id}, {"deviceName", "Back gate"}}); });
        QCOMPARE(renamed.value("RES").toString(), QStringLiteral("OK"));
        QTRY_COMPARE_WITH_TIMEOUT(editor->proxyModel()->proxyData(int(id)).value("deviceName").toString(), QStringLiteral("Back gate"), kWait);
        QCOMPARE(editor->proxyModel()->rowCount(), 4);
    }

    void archiveOfOneDayInStartOrder()
    {
        auto archive = screenController<ArchiveController>();
        auto writer = screenController<ArchiveController>();
        const qint64 day = QDateTime(QDate(2026, 3, 14), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
        const qint64 hour = 3600 * 1000;
        const qint64 starts[] = {day + 10 * hour, day - 1, day + 2 * hour, day + 24 * hour, day + 24 * hour - 1};
        for (const qint64 start : starts) {
            const QJsonObject added = changeAndWait(writer.get(), &ControllerDesktopBase::saAdd, [&] {
                writer->trAdd({{"rstIDDevice", 1}, {"dtStart", start}, {"dtEnd", start + 60000}, {"deviceName", "Front door"}});
            });
            QCOMPARE(added.value("status").toString(), QStringLiteral("OK"));
        }

        const QJsonObject oneDay{{"$and", QJsonArray{QJsonObject{{"dtStart", QJsonObject{{"$bt", QJsonArray{day, day + 24 * hour - 1}}}}},
                                                      QJsonObject{{"rstIDDevice", 1}}}}};
        const QJsonObject answer = queryAndWait(archive.get(), oneDay, {{"$orderby", QJsonObject{{"dtStart", 1}}}});
        QCOMPARE(column(answer.value("records").toArray(), "dtStart"),
                 (QList<qint64>{day + 2 * hour, day + 10 * hour, day + 24 * hour - 1}));
        QCOMPARE(archive->proxyModel()->rowCount(), 3);
        archive->proxyModel()->sortRows("dtStart", Qt::AscendingOrder);
        QList<qint64> shown;
        for (int row = 0; row < archive->proxyModel()->rowCount(); ++row)
            shown.append(archive->proxyModel()->proxyData(row, "dtStart").toLongLong());
        QCOMPARE(shown, column(answer.value("records").toArray(), "dtStart"));

        // A new piece of that day is merged; one of another day is not asked for.
        QSignalSpy inserted(archive.get(), &ControllerDesktopBase::srInserted);
        QSignalSpy resets(archive->originalModel(), &QAbstractItemModel::modelReset);
        changeAndWait(writer.get(), &ControllerDesktopBase::saAdd,
                      [&] { writer->trAdd({{"rstIDDevice", 1}, {"dtStart", day + 5 * hour}, {"deviceName", "Front door"}}); });
        QTRY_COMPARE_WITH_TIMEOUT(archive->proxyModel()->rowCount(), 4, kWait);
        QVERIFY(inserted.count() || inserted.wait(kWait));
        const QJsonObject stored = archive->getMapParamsFromTrQuery();
        QCOMPARE(stored.value("_request").toString(), QStringLiteral("srInserted"));
        inserted.clear();
        QSignalSpy answers(archive.get(), &ControllerItemBase::saQuery);
        changeAndWait(writer.get(), &ControllerDesktopBase::saAdd,
                      [&] { writer->trAdd({{"rstIDDevice", 1}, {"dtStart", day + 30 * hour}, {"deviceName", "Front door"}}); });
        QVERIFY(inserted.count() || inserted.wait(kWait));
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(answers.cbegin(), answers.cend(), [&](const QList<QVariant> &a) {
            return a.at(0).toJsonObject().value("_receiver").toString() == archive->objectNumber();
        }), kWait);
        QCOMPARE(archive->proxyModel()->rowCount(), 4);
        QCOMPARE(resets.count(), 0);

        // Pieces removed elsewhere leave the model once asked about (110) or written to (130).
        const qint64 gone = archive->originalModel()->originalData(0).value("rowID").toLongLong();
        const qint64 alsoGone = archive->originalModel()->originalData(1).value("rowID").toLongLong();
        for (const qint64 id : {gone, alsoGone})
            QCOMPARE(changeAndWait(writer.get(), &ControllerDesktopBase::saRem, [&] { writer->trRem({{"rowID", id}}); })
                         .value("status").toString(), QStringLiteral("OK"));
        QCOMPARE(changeAndWait(archive.get(), &ControllerItemBase::saInfo, [&] { archive->trInfo({{"rowID", gone}}); })
                     .value("ERRCODE").toString(), QStringLiteral("110"));
        QCOMPARE(changeAndWait(archive.get(), &ControllerDesktopBase::saUpdate, [&] { archive->trUpdate({{"rowID", alsoGone}, {"deviceName", "late"}}); })
                     .value("ERRCODE").toString(), QStringLiteral("130"));
        QCOMPARE(archive->originalModel()->findId(gone), -1);
        QCOMPARE(archive->originalModel()->findId(alsoGone), -1);
        QCOMPARE(archive->proxyModel()->rowCount(), 2);
    }

    void telegramSettingsShared() { settingsRecordIsShared<TelegramSettingsController>("groupName", "Home cameras"); }
    void youtubeSettingsShared() { settingsRecordIsShared<YoutubeSettingsController>("channelName", "Garden live"); }
    void onlineAccessSettingsShared() { settingsRecordIsShared<OnlineAccessSettingsController>("login", "owner"); }
};

QTEST_MAIN(TstControllersEndToEnd)
#include "tst_controllers_end_to_end.moc"
