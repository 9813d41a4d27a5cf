// The desktop of the started client against the stand-in's demo installation
// (four devices with live RTP streams), driven with mouse events and checked
// on grabs of the window, as a user would see it.
#include "StandinControl.h"
#include "StandinProcess.h"
#include "StartupTestMain.h"
#include "TimeBudget.h"
#include "UiTestSupport.h"

#include "base/SettingsSimple.h"
#include "nt_common/core/singleton/SpSingleton.h"
#include "shell/ClientStartup.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QPointer>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QtTest>

using namespace UiTestSupport;

namespace {

constexpr int kVideoTimeoutMs = 30000;

double meanBrightness(const QImage &image)
{
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            sum += qGray(p[column]);
    }
    return x.isNull() ? 0 : double(sum) / (x.width() * x.height());
}

int roleOf(const QAbstractItemModel *model, const QByteArray &name)
{
    return model->roleNames().key(name, -1);
}

} // namespace

class TstDesktop : public QObject
{
    Q_OBJECT
public:
    explicit TstDesktop(LynClient::ClientStartup &startup)
        : m_startup(startup)
    {
    }

private slots:
    void initTestCase();
    void fourTilesShowMovingVideoOfTheirDevices();
    void lostStreamShowsNoSignalAndComesBackByItself();
    void detectionDrawsALabelledBoxThatExpires();
    void layoutButtonsSetTheNumberOfTiles();
    void draggingATileSwapsAndTheOrderSurvivesARestart();
    void tileDetachesIntoItsOwnWindowAndBack();
    void eventsAreListedNewestFirstAndFilteredByDevice();

protected:
    bool loadWindow();
    QQuickItem *tile(int index) const { return item(m_window, QStringLiteral("tile_%1").arg(index)); }
    QObject *streamOf(int index) const;
    qint64 deviceAt(int index) const;
    QRect sceneRect(QQuickItem *item) const;
    QImage tilePicture(const QImage &grab, int index) const;
    QString statusOf(int index) const;
    QString statusCode(int index) const;
    QImage nameCorner(const QImage &grab, int index) const;
    QString streamState(int index) const;

    LynClient::ClientStartup &m_startup;
    StandinProcess m_standin;
    StandinControl m_control;
    QQuickWindow *m_window = nullptr;
};

bool TstDesktop::loadWindow()
{
    if (!m_startup.loadWindow())
        return false;
    m_window = qobject_cast<QQuickWindow *>(m_startup.engine()->rootObjects().first());
    if (!m_window || !QTest::qWaitForWindowExposed(m_window))
        return false;
    m_window->requestActivate();
    return QTest::qWaitForWindowActive(m_window);
}

QObject *TstDesktop::streamOf(int index) const
{
    QQuickItem *holder = tile(index);
    return holder ? holder->property("stream").value<QObject *>() : nullptr;
}

qint64 TstDesktop::deviceAt(int index) const
{
    QQuickItem *holder = tile(index);
    const QVariantMap record = holder ? holder->property("record").toMap() : QVariantMap();
    return record.isEmpty() ? -1 : record.value("rowID").toLongLong();
}

QRect TstDesktop::sceneRect(QQuickItem *target) const
{
    const QPointF topLeft = target->mapToScene(QPointF(0, 0));
    return QRectF(topLeft, QSizeF(target->width(), target->height())).toAlignedRect();
}

// The picture part of a tile (the name badge at the top left and the size
// badge at the bottom right left out), in window pixels.
QImage TstDesktop::tilePicture(const QImage &grab, int index) const
{
    const QRect rect = sceneRect(tile(index));
    const qreal ratio = m_window->devicePixelRatio();
    const QRect scaled(rect.topLeft() * ratio, rect.size() * ratio);
    return grab.copy(scaled.adjusted(scaled.width() / 6, scaled.height() / 5, -scaled.width() / 6, -scaled.height() / 5));
}

// Where the stream itself writes the device name: the top left of the picture as drawn.
QImage TstDesktop::nameCorner(const QImage &grab, int index) const
{
    QQuickItem *player = item(m_window, QStringLiteral("tile_%1ContentPlayer").arg(index));
    const QRectF picture = player->property("pictureRect").toRectF();
    const QPointF topLeft = player->mapToScene(picture.topLeft());
    const qreal ratio = m_window->devicePixelRatio();
    return grab.copy(QRectF(topLeft * ratio, QSizeF(picture.width() * 0.25, picture.height() * 0.12) * ratio).toAlignedRect());
}

// What the tile's stream reports, for failure messages.
QString TstDesktop::streamState(int index) const
{
    QObject *stream = streamOf(index);
    if (!stream)
        return QStringLiteral("no stream");
    QObject *player = stream->property("player").value<QObject *>();
    return QStringLiteral("status %1, text '%2', player state %3, stalled %4, frame age %5, rate %6, decoding %7")
        .arg(stream->property("status").toString(), statusOf(index))
        .arg(player->property("state").toInt())
        .arg(player->property("stalled").toBool())
        .arg(player->property("frameAge").toInt())
        .arg(player->property("frameRate").toDouble())
        .arg(player->property("decoding").toBool());
}

QString TstDesktop::statusCode(int index) const
{
    QObject *stream = streamOf(index);
    return stream ? stream->property("status").toString() : QStringLiteral("no stream");
}

QString TstDesktop::statusOf(int index) const
{
    QQuickItem *label = item(m_window, QStringLiteral("tile_%1ContentPlayerStatus").arg(index));
    return label && label->isVisible() ? label->property("text").toString() : QString();
}

void TstDesktop::initTestCase()
{
    QVERIFY(m_standin.start());
    QVERIFY(m_control.open(m_standin.port()));
    auto *settings = SpSingleton<LynClientBase::SettingsSimple>::sharedInstance().data();
    settings->setValue("Server", "ip", "127.0.0.1");
    settings->setValue("Server", "port", QString::number(m_standin.port()));
    QVERIFY(loadWindow());
    QTRY_COMPARE_WITH_TIMEOUT(shownText(item(m_window, "connectionStateLabel")), QStringLiteral("Connected"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "tileGrid") && item(m_window, "tileGrid")->isVisible(), 15000);
}

void TstDesktop::fourTilesShowMovingVideoOfTheirDevices()
{
    const QJsonArray devices = m_control.records("cam");
    QCOMPARE(devices.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QTRY_VERIFY_WITH_TIMEOUT(deviceAt(i) > 0, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(statusCode(i), QStringLiteral("live"), kVideoTimeoutMs);
        QCOMPARE(statusOf(i), QString());
    }
    QSet<qint64> shown;
    for (int i = 0; i < 4; ++i) {
        // The tile's player plays the SDP file of the device placed there, as the server describes it.
        const qint64 id = deviceAt(i);
        shown.insert(id);
        QObject *player = streamOf(i)->property("player").value<QObject *>();
        QVERIFY(player->property("mrl").toString().endsWith(QStringLiteral("/sdp/%1.sdp").arg(id)));
        bool placedThere = false;
        for (const QJsonValue &device : devices)
            placedThere |= device["rowID"].toInt() == id && device["tileIndex"].toInt() == i;
        QVERIFY2(placedThere, qPrintable(QStringLiteral("tile %1 shows device %2").arg(i).arg(id)));
        QTRY_VERIFY(QRegularExpression(QStringLiteral("^\\d+x\\d+ \\d+ fps$"))
                        .match(shownText(item(m_window, QStringLiteral("tile_%1ContentPlayerBadge").arg(i)))).hasMatch());
    }
    QCOMPARE(shown.size(), 4);

    // Every tile moves: a later grab differs inside each of them.
    const QImage first = m_window->grabWindow();
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
        const QImage later = m_window->grabWindow();
        for (int i = 0; i < 4; ++i) {
            if (meanDifference(tilePicture(first, i), tilePicture(later, i)) < 0.5)
                return false;
        }
        return true;
    }()), 10000);
    // Each tile holds a picture of its own: the streams draw their device's name
    // at the top left, so that corner differs between any two tiles.
    const QImage now = m_window->grabWindow();
    for (int i = 0; i < 4; ++i) {
        QVERIFY(meanBrightness(tilePicture(now, i)) > 20);
        for (int j = i + 1; j < 4; ++j) {
            const double difference = meanDifference(nameCorner(now, i), nameCorner(now, j));
            QVERIFY2(difference > 2, qPrintable(QStringLiteral("tiles %1 and %2: %3").arg(i).arg(j).arg(difference)));
        }
    }
    saveScreenshot(m_window, "desktop_four_live_tiles");
}

void TstDesktop::layoutButtonsSetTheNumberOfTiles()
{
    const auto shownTiles = [this] {
        int count = 0;
        while (tile(count) && tile(count)->isVisible())
            ++count;
        return count;
    };
    QVERIFY(click(m_window, "layoutButton_S3_3"));
    QTRY_COMPARE(shownTiles(), 9);
    const QRect small = sceneRect(tile(4));
    QVERIFY(click(m_window, "layoutButtonBig"));
    QTRY_COMPARE(shownTiles(), 6);
    QTRY_VERIFY(sceneRect(tile(0)).width() > 1.8 * sceneRect(tile(1)).width());
    QVERIFY(sceneRect(tile(0)).height() > 1.8 * sceneRect(tile(1)).height());
    QVERIFY(click(m_window, "layoutButtonBig"));
    QTRY_COMPARE(shownTiles(), 9);
    QCOMPARE(sceneRect(tile(4)), small);
    // Cameras that no tile shows are not decoded; the shown one is.
    QList<QPointer<QObject>> players;
    for (int i = 0; i < 4; ++i)
        players.append(streamOf(i)->property("player").value<QObject *>());
    QVERIFY(click(m_window, "layoutButton_S1_1"));
    QTRY_COMPARE(shownTiles(), 1);
    for (int i = 1; i < 4; ++i)
        QTRY_VERIFY_WITH_TIMEOUT(players[i] && !players[i]->property("decoding").toBool(), 5000);
    QVERIFY(players[0]->property("decoding").toBool());
    QVERIFY(click(m_window, "layoutButton_S4_4_ext"));
    QTRY_COMPARE(shownTiles(), 32);
    QVERIFY(click(m_window, "layoutButton_S2_2"));
    QTRY_COMPARE(shownTiles(), 4);
    // Tiles that come back find their streams still playing.
    for (int i = 0; i < 4; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(statusCode(i), QStringLiteral("live"), kVideoTimeoutMs);
}

void TstDesktop::detectionDrawsALabelledBoxThatExpires()
{
    const qint64 target = deviceAt(0);
    const qint64 other = deviceAt(1);
    // The box's colour is checked on a live picture, not under a tile's state message.
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("live"), kVideoTimeoutMs);
    // A box outside the picture is refused; the next, good message shows it was read and dropped.
    QCOMPARE(m_control.ask({{"ctl", "standin"}, {"action", "trSendRectText"}, {"rowID", other},
                            {"rects", QJsonArray{QJsonObject{{"x", 5}, {"y", 0.1}, {"width", 0.2}, {"height", 0.2},
                                                             {"label", "car"}, {"probability", 0.5}}}}})
                 .value("status").toString(), QStringLiteral("OK"));
    const QJsonArray rects{QJsonObject{{"x", 0.25}, {"y", 0.3}, {"width", 0.5}, {"height", 0.4},
                                       {"label", "person"}, {"probability", 0.87}}};
    QCOMPARE(m_control.ask({{"ctl", "standin"}, {"action", "trSendRectText"}, {"rowID", target}, {"rects", rects}})
                 .value("status").toString(), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "tile_0ContentPlayerBox_0") != nullptr, 5000);
    QCOMPARE(shownText(item(m_window, "tile_0ContentPlayerBoxLabel_0")), QStringLiteral("person 87%"));
    QVERIFY(!item(m_window, "tile_1ContentPlayerBox_0"));

    // The box sits on the picture as drawn, letterbox bars left out.
    QQuickItem *player = item(m_window, "tile_0ContentPlayer");
    QQuickItem *box = item(m_window, "tile_0ContentPlayerBox_0");
    const QRectF picture = player->property("pictureRect").toRectF();
    const QSizeF frame = player->property("frameSize").toSizeF();
    QVERIFY(frame.width() > 0);
    QVERIFY(qAbs(picture.width() / picture.height() - frame.width() / frame.height()) < 0.02);
    const QPointF boxTopLeft = player->mapFromItem(box, QPointF(0, 0));
    QVERIFY(qAbs(boxTopLeft.x() - (picture.x() + 0.25 * picture.width())) < 1.5);
    QVERIFY(qAbs(boxTopLeft.y() - (picture.y() + 0.3 * picture.height())) < 1.5);
    QVERIFY(qAbs(box->width() - 0.5 * picture.width()) < 1.5);
    QVERIFY(qAbs(box->height() - 0.4 * picture.height()) < 1.5);

    // Its frame is drawn in the detection colour on the window.
    const QImage grab = m_window->grabWindow();
    const qreal ratio = m_window->devicePixelRatio();
    const QPointF edge = box->mapToScene(QPointF(1, box->height() / 2));
    const QColor pixel = grab.pixelColor((edge * ratio).toPoint());
    QVERIFY2(pixel.red() > 180 && pixel.green() > 100 && pixel.green() < 200 && pixel.blue() < 80,
             qPrintable(pixel.name()));
    saveScreenshot(m_window, "desktop_four_live_tiles_with_detection");

    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "tile_0ContentPlayerBox_0") == nullptr, 5000);
}

void TstDesktop::lostStreamShowsNoSignalAndComesBackByItself()
{
    // A player that lags behind would keep drawing old pictures after the cut: start from a steady stream.
    QTRY_VERIFY2_WITH_TIMEOUT(([this] {
        QObject *player = streamOf(2) ? streamOf(2)->property("player").value<QObject *>() : nullptr;
        return statusCode(2) == QStringLiteral("live") && player->property("frameAge").toInt() < 500
            && player->property("frameRate").toDouble() >= 15;
    }()), qPrintable(streamState(2)), kVideoTimeoutMs);
    const qint64 device = deviceAt(2);
    const QImage before = tilePicture(m_window->grabWindow(), 2);
    // Timed from before the request: the stand-in cuts the stream before it answers.
    QElapsedTimer cut;
    cut.start();
    const QJsonObject cutAnswer = m_control.ask({{"ctl", "standin"}, {"action", "trCutStream"}, {"rowID", device}});
    QVERIFY2(cutAnswer.value("status").toString() == QStringLiteral("OK"), QJsonDocument(cutAnswer).toJson().constData());
    // A failed check must not leave the stream cut for the cases after this one.
    auto restore = qScopeGuard([this, device] {
        m_control.ask({{"ctl", "standin"}, {"action", "trRestoreStream"}, {"rowID", device}});
    });
    // "No signal" within 5 s of the cut (longer under the sanitizers): 3 s without
    // a picture, so a player must not go on showing what its socket held at the cut.
    QTRY_VERIFY2_WITH_TIMEOUT(statusOf(2).startsWith(QStringLiteral("No signal for ")), qPrintable(streamState(2)), 20000);
    const qint64 noSignalMs = cut.elapsed();
    const int frameAge = streamOf(2)->property("player").value<QObject *>()->property("frameAge").toInt();
    qInfo("No signal shown %lld ms after the cut, %d ms after the last picture", noSignalMs, frameAge);
    QVERIFY2(noSignalMs <= timeBudget(5000), qPrintable(QStringLiteral("%1 ms; %2").arg(noSignalMs).arg(streamState(2))));
    QVERIFY2(frameAge >= 3000, qPrintable(streamState(2)));
    // The last picture stays, dimmed, under the message.
    QTRY_VERIFY(item(m_window, "tile_2ContentPlayerLastPicture")->isVisible());
    const double dimmed = meanBrightness(tilePicture(m_window->grabWindow(), 2));
    QVERIFY2(dimmed < meanBrightness(before) * 0.75 && dimmed > 2, qPrintable(QString::number(dimmed)));
    // The other tiles carry on: one that lagged and restarted meanwhile is live again by itself.
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("live"), kVideoTimeoutMs);
    // The count of silent seconds goes on.
    const auto silentSeconds = [this] { return statusOf(2).section(QLatin1Char(' '), 3, 3).toInt(); };
    const int seconds = silentSeconds();
    QVERIFY(seconds >= 3);
    QTRY_VERIFY_WITH_TIMEOUT(silentSeconds() > seconds, 5000);
    saveScreenshot(m_window, "desktop_tile_without_signal");

    restore.dismiss();
    QCOMPARE(m_control.ask({{"ctl", "standin"}, {"action", "trRestoreStream"}, {"rowID", device}}).value("status").toString(),
             QStringLiteral("OK"));
    QElapsedTimer back;
    back.start();
    QTRY_VERIFY2_WITH_TIMEOUT(statusCode(2) == QStringLiteral("live"), qPrintable(streamState(2)), 10000);
    QVERIFY(back.elapsed() <= 10500);
    QCOMPARE(statusOf(2), QString());
    const QImage first = m_window->grabWindow();
    QTRY_VERIFY_WITH_TIMEOUT(meanDifference(tilePicture(first, 2), tilePicture(m_window->grabWindow(), 2)) > 0.5, 5000);
}

void TstDesktop::draggingATileSwapsAndTheOrderSurvivesARestart()
{
    QTRY_VERIFY_WITH_TIMEOUT(deviceAt(0) > 0 && deviceAt(1) > 0, 15000);
    const qint64 first = deviceAt(0);
    const qint64 second = deviceAt(1);
    const QPoint from = centreOf(tile(0)).toPoint();
    const QPoint to = centreOf(tile(1)).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(m_window, from + (to - from) * step / 10);
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, to);
    QTRY_COMPARE(deviceAt(0), second);
    QTRY_COMPARE(deviceAt(1), first);

    // The server's table holds the new places.
    const auto tileOnServer = [this](qint64 id) {
        for (const QJsonValue &device : m_control.records("cam")) {
            if (device["rowID"].toInt() == id)
                return device["tileIndex"].toInt();
        }
        return -1;
    };
    QTRY_COMPARE_WITH_TIMEOUT(tileOnServer(first), 1, 5000);
    QCOMPARE(tileOnServer(second), 0);

    // The client started again in its working folder places the tiles from the server's answer.
    SpSingleton<LynClientBase::SettingsSimple>::sharedInstance()->sync();
    QProcess restarted;
    restarted.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LYN_RESTARTED_IN"), QDir::currentPath());
    environment.insert(QStringLiteral("LYN_RESTARTED_ORDER"), QStringLiteral("%1,%2").arg(second).arg(first));
    restarted.setProcessEnvironment(environment);
    restarted.start(QCoreApplication::applicationFilePath(), {QStringLiteral("tilesKeepTheirPlaces")});
    QVERIFY(restarted.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(restarted.state() == QProcess::NotRunning, 120000);
    QCOMPARE(restarted.exitStatus(), QProcess::NormalExit);
    QCOMPARE(restarted.exitCode(), 0);
}

void TstDesktop::tileDetachesIntoItsOwnWindowAndBack()
{
    const qint64 device = deviceAt(3);
    QVERIFY(click(m_window, "tile_3ContentDetachButton"));
    const QString name = QStringLiteral("detachedTile_%1").arg(device);
    const auto detachedWindow = [&name]() -> QQuickWindow * {
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (window->objectName() == name && window->isVisible())
                return qobject_cast<QQuickWindow *>(window);
        }
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(detachedWindow() && detachedWindow()->isExposed(), 10000);
    QQuickWindow *detached = detachedWindow();
    QTRY_VERIFY(item(m_window, "tile_3ContentDetachedText")->isVisible());
    QCOMPARE(statusCode(3), QStringLiteral("live"));
    // The picture moves in the new window.
    QQuickItem *player = item(detached, QStringLiteral("detachedTile_%1Player").arg(device));
    QVERIFY(player);
    QTRY_VERIFY_WITH_TIMEOUT(meanBrightness(detached->grabWindow()) > 20, 10000);
    const QImage first = detached->grabWindow();
    QTRY_VERIFY_WITH_TIMEOUT(meanDifference(first, detached->grabWindow()) > 0.5, 5000);
    saveScreenshot(detached, "desktop_detached_tile");

    QVERIFY(click(m_window, "tile_3ContentAttachButton"));
    QTRY_VERIFY(!detachedWindow());
    QTRY_VERIFY(!item(m_window, "tile_3ContentDetachedText")->isVisible());
    const QImage back = m_window->grabWindow();
    QTRY_VERIFY_WITH_TIMEOUT(meanDifference(tilePicture(back, 3), tilePicture(m_window->grabWindow(), 3)) > 0.5, 10000);
}

void TstDesktop::eventsAreListedNewestFirstAndFilteredByDevice()
{
    QJsonArray events;
    for (const QJsonValue &record : m_control.records("archive")) {
        if (record["type"].toInt() == 1)
            events.append(record);
    }
    QVERIFY(events.size() > 4);

    QQuickItem *view = item(m_window, "eventsTableView");
    QVERIFY(view && view->isVisible());
    auto *model = qobject_cast<QSortFilterProxyModel *>(view->property("model").value<QObject *>());
    QVERIFY(model);
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), events.size(), 15000);
    const int start = roleOf(model, "dtStart");
    const int device = roleOf(model, "rstIDDevice");
    const int detected = roleOf(model, "detected");
    for (int row = 1; row < model->rowCount(); ++row)
        QVERIFY(model->index(row - 1, 0).data(start).toLongLong() >= model->index(row, 0).data(start).toLongLong());
    QVERIFY(!model->index(0, 0).data(detected).toString().isEmpty());
    saveScreenshot(m_window, "desktop_events");

    // The filter dialog narrows the list to the first device of its list.
    QVERIFY(click(m_window, "eventsFilterButton"));
    QTRY_VERIFY(item(m_window, "eventsFilterDevicesItem_0") && item(m_window, "eventsFilterDevicesItem_0")->isVisible());
    QVERIFY(shownText(item(m_window, "eventsFilterTitle")) == QStringLiteral("Events filter"));
    QVERIFY(click(m_window, "eventsFilterDevicesItem_0"));
    saveScreenshot(m_window, "desktop_events_filter");
    QVERIFY(click(m_window, "eventsFilterAcceptButton"));
    QTRY_VERIFY(model->rowCount() < events.size());
    const qint64 chosen = model->index(0, 0).data(device).toLongLong();
    int expected = 0;
    for (const QJsonValue &event : events)
        expected += event["rstIDDevice"].toInt() == chosen;
    QCOMPARE(model->rowCount(), expected);
    for (int row = 0; row < model->rowCount(); ++row)
        QCOMPARE(model->index(row, 0).data(device).toLongLong(), chosen);

    // A double click opens the event in the archive's own player window.
    {
        const qint64 rowId = model->index(0, 0).data(roleOf(model, "rowID")).toLongLong();
        const QPoint firstRow = view->mapToScene(QPointF(view->width() / 2, 30 + 14)).toPoint();
        QTest::mouseDClick(m_window, Qt::LeftButton, Qt::NoModifier, firstRow);
        const auto playerOf = [rowId]() -> QWindow * {
            for (QWindow *window : QGuiApplication::topLevelWindows()) {
                if (window->isVisible() && window->property("rowID").toLongLong() == rowId)
                    return window;
            }
            return nullptr;
        };
        QTRY_VERIFY_WITH_TIMEOUT(playerOf(), 10000);
        playerOf()->close();
    }

    // Unchecking it shows every device again.
    QVERIFY(click(m_window, "eventsFilterButton"));
    QTRY_VERIFY(item(m_window, "eventsFilterDevicesItem_0")->isVisible());
    QVERIFY(click(m_window, "eventsFilterDevicesItem_0"));
    QVERIFY(click(m_window, "eventsFilterAcceptButton"));
    QTRY_COMPARE(model->rowCount(), events.size());
}

// The second client of the swap case: started in the first one's working
// folder against its stand-in, it must show the swapped order at once. Its
// players cannot play: the first client still holds the streams' ports.
class TstDesktopRestarted : public TstDesktop
{
    Q_OBJECT
public:
    using TstDesktop::TstDesktop;

private slots:
    void initTestCase()
    {
        QVERIFY(loadWindow());
        QTRY_COMPARE_WITH_TIMEOUT(shownText(item(m_window, "connectionStateLabel")), QStringLiteral("Connected"), 30000);
    }

    void tilesKeepTheirPlaces()
    {
        const QStringList order = qEnvironmentVariable("LYN_RESTARTED_ORDER").split(QLatin1Char(','));
        QCOMPARE(order.size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(deviceAt(0), order[0].toLongLong(), 30000);
        QCOMPARE(deviceAt(1), order[1].toLongLong());
    }
};

int main(int argc, char *argv[])
{
    const QString restartedIn = qEnvironmentVariable("LYN_RESTARTED_IN");
    if (restartedIn.isEmpty())
        return runInStartedClient<TstDesktop>(argc, argv);
    if (!QDir::setCurrent(restartedIn))
        return 1;
    LynClient::ClientStartup startup(argc, argv);
    TstDesktopRestarted test(startup);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
