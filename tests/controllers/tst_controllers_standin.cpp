// The concrete controllers over a real link to the stand-in executable on its
// demo installation: live video played by the client's player, and detection
// boxes. The messenger link is the settings screen test's; search, recorded
// video and module switching are the device and archive screen tests', and how
// search results are enriched is the replay test's.
#include "ControllersLink.h"
#include "ScreenControllers.h"
#include "SdpViewer.h"
#include "StandinProcess.h"
#include "TimeBudget.h"
#include "controllers/device/DeviceController.h"
#include "controllers/modules/ModuleSystemController.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

using namespace LynClientController;
using namespace ScreenControllers;

namespace {
const int kStreamWait = timeBudget(20000);

qint64 number(const QJsonObject &object, const char *key)
{
    return object.value(key).toVariant().toLongLong();
}

QStringList texts(const QJsonValue &array)
{
    QStringList result;
    for (const QJsonValue &value : array.toArray())
        result.append(value.toString());
    return result;
}

// The first message a spy caught that fits, or an empty object.
QJsonObject caught(const QSignalSpy &spy, const std::function<bool(const QJsonObject &)> &fits, int from = 0)
{
    for (int i = from; i < spy.count(); ++i) {
        const QJsonObject message = spy.at(i).at(0).toJsonObject();
        if (fits(message))
            return message;
    }
    return {};
}
} // namespace

class TstControllersStandin : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_startDir;
    StandinProcess m_server;
    ControllersLink m_link;

    QJsonObject device(const QString &name)
    {
        auto devices = screenController<DeviceController>();
        queryAndWait(devices.get());
        for (int row = 0; row < devices->originalModel()->rowCount(); ++row) {
            const QVariantMap record = devices->originalModel()->originalData(row);
            if (record.value("deviceName").toString() == name)
                return QJsonObject::fromVariantMap(record);
        }
        return {};
    }

    QStringList activeModules(ModuleSystemController *modules, qint64 deviceId)
    {
        const QJsonObject answer = changeAndWait(modules, &ModuleSystemController::saActiveModuleList,
                                                 [&] { modules->trActiveModuleList({{"rstIDDevice", deviceId}}); });
        return texts(answer.value("active_module_list"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        SdpViewer::configure();
        QVERIFY(m_server.start());
        QVERIFY(m_link.open(m_server.port()));
    }

    void cleanupTestCase()
    {
        m_link.close();
        QVERIFY(m_server.stop());
        QDir::setCurrent(m_startDir);
    }

    void detectionBoxesReachTheDevices()
    {
        const qint64 garage = number(device("Garage"), "rowID");
        QVERIFY(garage > 0);
        auto wall = screenController<DeviceController>();
        auto editor = screenController<DeviceController>();
        auto modules = screenController<ModuleSystemController>();
        QVERIFY(!activeModules(modules.get(), garage).contains("cvObjectDetection"));
        QSignalSpy boxes(wall.get(), &DeviceController::srRectText);
        QSignalSpy editorBoxes(editor.get(), &DeviceController::srRectText);
        const auto ofGarage = [&](const QJsonObject &m) { return number(m, "rstIDDevice") == garage; };

        const QJsonObject on = changeAndWait(modules.get(), &ModuleSystemController::saModuleOn, [&] {
            modules->trModuleOn({{"rstIDDevice", garage}, {"workname", "cvObjectDetection"}});
        });
        QCOMPARE(on.value("status").toString(), QStringLiteral("OK"));
        QVERIFY(texts(on.value("active_module_list")).contains("cvObjectDetection"));
        QTRY_VERIFY_WITH_TIMEOUT(!caught(boxes, ofGarage).isEmpty(), kWait);
        const QJsonObject detected = caught(boxes, ofGarage);
        QTRY_COMPARE_WITH_TIMEOUT(caught(editorBoxes, ofGarage), detected, kWait);
        QVERIFY(number(detected, "dtCreate") > 0);
        const QJsonArray rects = detected.value("rects").toArray();
        QVERIFY(!rects.isEmpty());
        for (const QJsonValue &value : rects) {
            const QJsonObject rect = value.toObject();
            const double x = rect.value("x").toDouble(-1), y = rect.value("y").toDouble(-1);
            const double width = rect.value("width").toDouble(), height = rect.value("height").toDouble();
            QVERIFY(x >= 0 && y >= 0 && width > 0 && height > 0);
            QVERIFY(x + width <= 1.0 && y + height <= 1.0);
            QVERIFY(!rect.value("label").toString().isEmpty());
            QVERIFY(rect.value("probability").toDouble(-1) >= 0 && rect.value("probability").toDouble(2) <= 1);
        }

        // Switched off, the device's boxes stop.
        const QJsonObject off = changeAndWait(modules.get(), &ModuleSystemController::saModuleOff, [&] {
            modules->trModuleOff({{"rstIDDevice", garage}, {"workname", "cvObjectDetection"}});
        });
        QCOMPARE(off.value("status").toString(), QStringLiteral("OK"));
        const int afterOff = boxes.count();
        QVERIFY(!QTest::qWaitFor([&] { return !caught(boxes, ofGarage, afterOff).isEmpty(); }, 2000));
    }

    void liveStreamPlaysAndSurvivesRestart()
    {
        const QJsonObject frontDoor = device("Front door");
        QCOMPARE(frontDoor.value("recState").toString(), QStringLiteral("recording"));
        auto devices = screenController<DeviceController>();
        const QString path = devices->createSDPFile(frontDoor);
        QCOMPARE(path, QDir(m_dir.path()).absoluteFilePath(QStringLiteral("sdp/%1.sdp").arg(number(frontDoor, "rowID"))));

        SdpViewer viewer;
        QVERIFY(viewer.playFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(viewer.frames() >= 25, kStreamWait);

        // A restarted ffmpeg may take seconds to come up on a busy machine.
        QTRY_COMPARE_WITH_TIMEOUT(m_server.ffmpegChildren().size(), 4, kStreamWait);
        const QList<qint64> before = m_server.ffmpegChildren();
        devices->trRestartCamera({{"rowID", number(frontDoor, "rowID")}});
        QTRY_VERIFY_WITH_TIMEOUT(m_server.ffmpegChildren().size() == 4 && m_server.ffmpegChildren() != before, kStreamWait);
        const unsigned framesAtRestart = viewer.frames();
        QTRY_VERIFY_WITH_TIMEOUT(viewer.frames() >= framesAtRestart + 50, kStreamWait);
    }
};

QTEST_MAIN(TstControllersStandin)
#include "tst_controllers_standin.moc"
