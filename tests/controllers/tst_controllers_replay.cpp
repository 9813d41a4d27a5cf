#include "ArchiveTestController.h"
#include "CaughtLink.h"
#include "Fixtures.h"
#include "LogCapture.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/archive/ArchivePlayerController.h"
#include "controllers/device/DeviceController.h"
#include "controllers/modules/ModuleSystemController.h"
#include "controllers/search/SearchDevicesController.h"

#include <QAbstractItemModelTester>
#include <QDirIterator>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace LynClientController;

namespace {

void watchModels(ControllerItemBase *c)
{
    new QAbstractItemModelTester(c->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c);
    new QAbstractItemModelTester(c->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c);
}

// Every file below root, as relative paths.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

// What a search result says about reaching the camera.
QJsonObject access(const QJsonObject &record)
{
    QJsonObject fields;
    for (const char *key : {"login", "password", "ip", "isAdd"}) {
        if (record.contains(key))
            fields.insert(key, record.value(key));
    }
    return fields;
}

} // namespace

// The concrete controllers against recorded server messages. The link is not
// started: every send is caught at its signal, and every recorded message goes
// through the router as if the link had received it.
class TstControllersReplay : public QObject
{
    Q_OBJECT

    std::unique_ptr<CaughtLink> m_link;
    QTemporaryDir m_workDir;
    QString m_startDir;

    void replay(const QString &fixture, const QMap<QString, QString> &values)
    {
        for (const QJsonObject &message : loadFixture(fixture, values))
            m_link->router()->onMessageReceived(message);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        m_startDir = QDir::currentPath();
        // The SDP folders are made in the working folder.
        QVERIFY(QDir::setCurrent(m_workDir.path()));
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(m_startDir);
    }

    void init()
    {
        m_link = std::make_unique<CaughtLink>();
    }

    void cleanup()
    {
        QDir::setCurrent(m_workDir.path());
        m_link.reset();
    }

    void searchResultsArriveEnriched()
    {
        SearchDevicesController search;
        watchModels(&search);
        new ScreenFeeder(&search);
        QSignalSpy found(&search, &SearchDevicesController::saSearch);
        QSignalSpy probed(&search, &SearchDevicesController::saTryGetRtspByIP);

        replay("search_devices.json", {{"self", search.objectNumber()}});
        QCOMPARE(found.count(), 2);
        const QJsonArray records = found.first().at(0).toJsonObject().value("records").toArray();
        QCOMPARE(records.size(), 4);
        QCOMPARE(access(records.at(0).toObject()),
                 (QJsonObject{{"login", "admin"}, {"password", "secret7"}, {"ip", "192.168.1.70"}, {"isAdd", true}}));
        QCOMPARE(records.at(0).toObject().value("state").toInt(), 1);
        // A USB camera keeps what it came with.
        QCOMPARE(access(records.at(1).toObject()), (QJsonObject{{"login", "own"}, {"password", "kept"}, {"ip", "usb"}, {"isAdd", false}}));
        QCOMPARE(records.at(2), QJsonValue("not a record"));
        // Without user name the parser takes the first path word for one.
        QCOMPARE(access(records.at(3).toObject()), (QJsonObject{{"login", "live"}, {"password", ""}, {"ip", "192.168.1.71"}, {"isAdd", false}}));

        QCOMPARE(probed.count(), 1);
        QCOMPARE(access(probed.first().at(0).toJsonObject().value("record").toObject()),
                 (QJsonObject{{"login", "root"}, {"password", "pass"}, {"ip", "192.168.1.80"}, {"isAdd", true}}));

        // Query answers fill the model with the enriched records.
        QCOMPARE(search.originalModel()->rowCount(), 2);
        QCOMPARE(access(QJsonObject::fromVariantMap(search.originalModel()->originalData(0))),
                 (QJsonObject{{"login", "guest"}, {"password", "guest"}, {"ip", "192.168.1.90"}, {"isAdd", true}}));
        QCOMPARE(access(QJsonObject::fromVariantMap(search.originalModel()->originalData(1))), (QJsonObject{{"isAdd", true}}));

        // An answer without records passes unchanged.
        const QJsonObject failed = found.last().at(0).toJsonObject();
        QCOMPARE(failed.value("errorMessage").toString(), QStringLiteral("search is running"));
        QVERIFY(!failed.contains("records") && !failed.contains("record"));
    }

    void moduleAnswersReachOnlyTheAskingPanel()
    {
        ModuleSystemController panel;
        ModuleSystemController otherPanel;
        watchModels(&panel);
        using S = void (ModuleSystemController::*)(QJsonObject);
        const QList<std::pair<S, std::pair<int, int>>> expected{
            {&ModuleSystemController::saModuleList, {1, 0}},
            {&ModuleSystemController::saActiveModuleList, {1, 0}},
            {&ModuleSystemController::saModuleOn, {1, 0}},
            {&ModuleSystemController::saModuleOff, {0, 1}},
            {&ModuleSystemController::saGetParams, {1, 0}},
            {&ModuleSystemController::saSetParams, {1, 0}},
        };
        std::vector<std::unique_ptr<QSignalSpy>> mine, theirs;
        for (const auto &e : expected) {
            mine.push_back(std::make_unique<QSignalSpy>(&panel, e.first));
            theirs.push_back(std::make_unique<QSignalSpy>(&otherPanel, e.first));
        }
        const int sentBefore = m_link->sent.size();
        replay("module_system.json", {{"self", panel.objectNumber()}, {"other", otherPanel.objectNumber()}});
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(mine[i]->count(), expected[int(i)].second.first);
            QCOMPARE(theirs[i]->count(), expected[int(i)].second.second);
        }
        const QJsonObject list = mine[0]->first().at(0).toJsonObject();
        QCOMPARE(list.value("list").toArray().size(), 2);
        QCOMPARE(list.value("list").toArray().at(1).toObject().value("workname").toString(), QStringLiteral("dummyPeopleCounter"));
        QCOMPARE(list.value("ctl").toString(), QStringLiteral("moduleSystem"));
        QCOMPARE(mine[1]->first().at(0).toJsonObject().value("active_module_list").toArray().first().toString(), QStringLiteral("cvMotion"));
        QCOMPARE(mine[2]->first().at(0).toJsonObject().value("workname").toString(), QStringLiteral("dummyPeopleCounter"));
        QCOMPARE(panel.originalModel()->rowCount(), 0);
        QCOMPARE(m_link->sent.size(), sentBefore);
    }

    void archivePlayerFollowsItsStreams()
    {
        ArchivePlayerController player;
        ArchivePlayerController otherPlayer;
        QVERIFY(!player.originalModel());
        QCOMPARE(player.trPlayVideo({{"streamKey", "{unknown}"}}), QJsonObject());
        QCOMPARE(player.trPauseVideo({}), QJsonObject());
        QCOMPARE(player.trJumpVideo({{"streamKey", "{unknown}"}}), QJsonObject());
        QVERIFY(m_link->sent.isEmpty());

        const QJsonObject created = player.trCreateVideo({{"rstIDDevice", 2}, {"dtStart", 1700000000000.0}, {"_playAfterCreate", true}});
        const QString key = created.value("streamKey").toString();
        QCOMPARE(m_link->sent.last(), created);
        QCOMPARE(player.streamEntry(key), (QJsonObject{{"rstIDDevice", 2}, {"status", "creating"}}));
        const QString secondKey = player.trCreateVideo({{"rstIDDevice", 2}}).value("streamKey").toString();
        QVERIFY(secondKey != key);
        QCOMPARE(player.getStremKeyByIDDevice(2), qMin(key, secondKey));
        QCOMPARE(player.getStremKeyByIDDevice(3), QString());

        QSignalSpy createdSpy(&player, &ArchivePlayerController::saCreateVideo);
        QSignalSpy sdp(&player, &ArchivePlayerController::srNewSDP);
        QSignalSpy playing(&player, &ArchivePlayerController::saPlayVideo);
        QSignalSpy position(&player, &ArchivePlayerController::srPosition);
        QSignalSpy paused(&player, &ArchivePlayerController::saPauseVideo);
        QSignalSpy seek(&player, &ArchivePlayerController::saSeekVideo);
        QSignalSpy jumped(&player, &ArchivePlayerController::saJumpVideo);
        QSignalSpy removed(&player, &ArchivePlayerController::saRemoveVideo);
        QSignalSpy otherCreated(&otherPlayer, &ArchivePlayerController::saCreateVideo);
        QStringList statuses;
        auto track = [&] { statuses.append(player.streamEntry(key).value("status").toString()); };
        connect(&player, &ArchivePlayerController::saCreateVideo, this, track);
        connect(&player, &ArchivePlayerController::saPlayVideo, this, track);
        connect(&player, &ArchivePlayerController::saPauseVideo, this, track);
        connect(&player, &ArchivePlayerController::saJumpVideo, this, track);

        // Requests go out between the recorded answers, as a screen would send them.
        const QList<QJsonObject> messages = loadFixture("archive_player.json",
                                                        {{"self", player.objectNumber()}, {"other", otherPlayer.objectNumber()}, {"key", key}});
        QCOMPARE(messages.size(), 11);
        for (int i = 0; i < 3; ++i)
            m_link->router()->onMessageReceived(messages.at(i));
        QCOMPARE(createdSpy.count(), 1);
        QCOMPARE(otherCreated.count(), 0);
        QCOMPARE(player.streamEntry(key).value("url").toString(), QStringLiteral("rtp://127.0.0.1:5004"));
        m_link->router()->onMessageReceived(messages.at(3));
        QCOMPARE(sdp.count(), 1);
        const QJsonObject newSdp = sdp.first().at(0).toJsonObject();
        const QString path = player.createSDPFile(newSdp);
        QCOMPARE(path, QDir(m_workDir.path()).absoluteFilePath("sdp_archive/" + key + ".sdp"));
        QCOMPARE(readAll(path), newSdp.value("sdp").toString());

        player.trPlayVideo({{"streamKey", key}, {"playBackSpeed", 1}});
        QCOMPARE(player.streamEntry(key).value("status").toString(), QStringLiteral("preparePlay"));
        m_link->router()->onMessageReceived(messages.at(4));
        m_link->router()->onMessageReceived(messages.at(5));
        QCOMPARE(position.count(), 1);
        player.trPauseVideo({{"streamKey", key}});
        QCOMPARE(player.streamEntry(key).value("status").toString(), QStringLiteral("pausing"));
        m_link->router()->onMessageReceived(messages.at(6));
        m_link->router()->onMessageReceived(messages.at(7));
        QCOMPARE(seek.count(), 1);
        player.trJumpVideo({{"streamKey", key}, {"currentPosition", 1700000200000.0}});
        QCOMPARE(player.streamEntry(key).value("status").toString(), QStringLiteral("jumping"));
        m_link->router()->onMessageReceived(messages.at(8));
        m_link->router()->onMessageReceived(messages.at(9));
        QCOMPARE(playing.count(), 1);
        QCOMPARE(statuses, (QStringList{"created", "play", "paused", "jumped"}));

        player.trRemoveVideo({{"streamKey", key}});
        QCOMPARE(player.streamEntry(key).value("status").toString(), QStringLiteral("removing"));
        m_link->router()->onMessageReceived(messages.at(10));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(player.streamEntry(key), QJsonObject());
        QCOMPARE(player.getStremKeyByIDDevice(2), secondKey);

        // Removing a stream never created still asks the server.
        const int before = m_link->sent.size();
        QCOMPARE(player.trRemoveVideo({{"streamKey", "{never}"}}).value("streamKey").toString(), QStringLiteral("{never}"));
        QCOMPARE(m_link->sent.size(), before + 1);
        player.clearStreamMap();
        QCOMPARE(player.getStremKeyByIDDevice(2), QString());
        QCOMPARE(player.trPlayVideo({{"streamKey", secondKey}}), QJsonObject());
        QCOMPARE(m_link->sent.size(), before + 1);
    }

    void sdpFilesStayInTheirFolders()
    {
        QTemporaryDir workDir;
        QVERIFY(workDir.isValid() && QDir::setCurrent(workDir.path()));
        const QString root = workDir.path();
        DeviceController devices;
        ArchivePlayerController player;
        const QString devicePath = devices.createSDPFile({{"rowID", 12}, {"sdp", "v=0\r\ns=a longer description\r\n"}});
        QCOMPARE(devicePath, QDir(root).absoluteFilePath("sdp/12.sdp"));
        QCOMPARE(devices.createSDPFile({{"rowID", 12}, {"sdp", "v=0\r\n"}}), devicePath);
        QCOMPARE(readAll(devicePath), QStringLiteral("v=0\r\n"));
        QCOMPARE(devices.createSDPFile({{"rowID", "13"}, {"sdp", "v=0\r\n"}}), QDir(root).absoluteFilePath("sdp/13.sdp"));
        QCOMPARE(devices.createSDPFile({{"rowID", 14}, {"sdp", " \r\n\t "}}), QString());
        QCOMPARE(devices.createSDPFile({{"rowID", 14}}), QString());
        QCOMPARE(player.createSDPFile({{"streamKey", "{blank}"}, {"sdp", "   "}}), QString());
        const QString longKey = player.createSDPFile({{"streamKey", "{k}"}, {"sdp", "v=0\r\ns=a much longer archive text\r\n"}});
        QCOMPARE(player.createSDPFile({{"streamKey", "{k}"}, {"sdp", "v=0\r\n"}}), longKey);
        QCOMPARE(readAll(longKey), QStringLiteral("v=0\r\n"));
        const QStringList written = filesBelow(root);
        QCOMPARE(written, (QStringList{"sdp/12.sdp", "sdp/13.sdp", "sdp_archive/{k}.sdp"}));

        LogCapture log;
        const QJsonValue hostileIds[] = {"../12", "12/../../evil", "/etc/passwd", "12abc", "", 1.5, 1e300, true,
                                         QJsonObject{{"a", 1}}, QJsonArray{12}, QJsonValue(), QStringLiteral("12%1").arg(QChar(0))};
        for (const QJsonValue &id : hostileIds)
            QCOMPARE(devices.createSDPFile({{"rowID", id}, {"sdp", "v=0\r\n"}}), QString());
        QCOMPARE(devices.createSDPFile({{"sdp", "v=0\r\n"}}), QString());
        const QString hostileKeys[] = {"../escape", "..\\escape", "a/b", "/tmp/abs", "C:\\x", "x\ny", "", "..",
                                       ".hidden", QString(300, 'k'), "name*?", QStringLiteral("a%1b").arg(QChar(0))};
        for (const QString &key : hostileKeys)
            QCOMPARE(player.createSDPFile({{"streamKey", key}, {"sdp", "v=0\r\n"}}), QString());
        QCOMPARE(player.createSDPFile({{"sdp", "v=0\r\n"}}), QString());
        QCOMPARE(log.count("refused file name"), 12 + 1 + 12 + 1);
        QVERIFY(log.contains("DeviceController::createSDPFile refused file name '../12'"));
        QVERIFY(log.contains("ArchivePlayerController::createSDPFile refused file name 'x?y'"));
        QCOMPARE(filesBelow(root), written);
        QVERIFY(!QFileInfo::exists(QDir(root).absoluteFilePath("../escape.sdp")));
        QVERIFY(!QFileInfo::exists(QDir(root).absoluteFilePath("../12.sdp")));
    }

    void archiveStartsSortAsNumbers()
    {
        ArchiveController archive;
        watchModels(&archive);
        new ScreenFeeder(&archive);
        archive.setUseTrQuery(true);
        archive.trQuery();
        m_link->router()->onMessageReceived({{"ctl", "archive"}, {"action", "saQuery"}, {"_receiver", archive.objectNumber()},
                                     {"records", QJsonArray{QJsonObject{{"rowID", 1}, {"dtStart", 100}, {"dtUpdate", 5}},
                                                            QJsonObject{{"rowID", 2}, {"dtStart", 9}, {"dtUpdate", 5}},
                                                            QJsonObject{{"rowID", 3}, {"dtStart", 10}, {"dtUpdate", 5}}}}});
        QVERIFY(archive.originalModel()->dataAtLeastLoaded());
        archive.proxyModel()->sortRows("dtStart", Qt::AscendingOrder);
        QStringList starts;
        for (int row = 0; row < archive.proxyModel()->rowCount(); ++row)
            starts.append(archive.proxyModel()->proxyData(row, "dtStart").toString());
        QCOMPARE(starts, (QStringList{"9", "10", "100"}));
    }
};

QTEST_MAIN(TstControllersReplay)
#include "tst_controllers_replay.moc"
