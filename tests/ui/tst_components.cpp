// The component library shown with plain ListModels and driven with mouse and keys.
#include "UiTestSupport.h"

#include "LynQmlResources.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

using namespace UiTestSupport;

class TstComponents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void headerClickSortsAndTogglesOrder();
    void rowsSelectAndDeleteAfterConfirmation();
    void calendarPicksDayAndTurnsPages();
    void dialogButtonsAcceptAndReject();
    void dragAndDropHandsOverData();
    void formSavesThroughItsOwnerAndReportsFailure();
    void frameWindowMovesByItsTitleBar();

private:
    QString cell(int row, const char *role) const;
    QVariant galleryValue(const char *name) const;

    QQmlApplicationEngine m_engine;
    QQuickWindow *m_window = nullptr;
};

QString TstComponents::cell(int row, const char *role) const
{
    return shownText(item(m_window, QStringLiteral("cell_%1_%2").arg(row).arg(QLatin1String(role))));
}

QVariant TstComponents::galleryValue(const char *name) const
{
    return m_window->property(name);
}

void TstComponents::initTestCase()
{
    initLynQmlResources();
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/Roboto/Roboto-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/Roboto/Roboto-Medium.ttf"));
    m_engine.load(QUrl::fromLocalFile(QStringLiteral(LYN_GALLERY_QML)));
    QVERIFY(!m_engine.rootObjects().isEmpty());
    m_window = qobject_cast<QQuickWindow *>(m_engine.rootObjects().first());
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTRY_COMPARE(cell(0, "deviceName"), QStringLiteral("Garage"));
    QCOMPARE(cell(1, "online"), QStringLiteral("No"));
    saveScreenshot(m_window, "components_gallery");
}

void TstComponents::headerClickSortsAndTogglesOrder()
{
    QQuickItem *header = item(m_window, "header_deviceName");
    QVERIFY(header);
    QVERIFY(!header->findChild<QQuickItem *>("sortIndicator")->isVisible());

    QVERIFY(click(m_window, "header_deviceName"));
    QTRY_COMPARE(galleryValue("lastSort").toString(), QStringLiteral("deviceName:%1").arg(Qt::AscendingOrder));
    QTRY_COMPARE(cell(0, "deviceName"), QStringLiteral("Backdoor"));
    QCOMPARE(cell(3, "deviceName"), QStringLiteral("Yard"));
    QCOMPARE(cell(0, "rowID"), QStringLiteral("2"));
    QVERIFY(header->findChild<QQuickItem *>("sortIndicator")->isVisible());
    saveScreenshot(m_window, "components_table_sorted");

    QVERIFY(click(m_window, "header_deviceName"));
    QTRY_COMPARE(galleryValue("lastSort").toString(), QStringLiteral("deviceName:%1").arg(Qt::DescendingOrder));
    QTRY_COMPARE(cell(0, "deviceName"), QStringLiteral("Yard"));

    // Another column starts ascending again.
    QVERIFY(click(m_window, "header_rowID"));
    QTRY_COMPARE(cell(0, "rowID"), QStringLiteral("1"));
    QCOMPARE(cell(0, "deviceName"), QStringLiteral("Entrance"));
    QVERIFY(!header->findChild<QQuickItem *>("sortIndicator")->isVisible());
}

void TstComponents::rowsSelectAndDeleteAfterConfirmation()
{
    QObject *table = item(m_window, "deviceTableView");
    QVERIFY(table);
    QVERIFY(!item(m_window, "deviceTableToolBarDeleteButton")->isEnabled());

    QVERIFY(click(m_window, "row_2"));
    QTRY_COMPARE(table->property("selectedIds").toList(), QVariantList{3});
    QVERIFY(item(m_window, "deviceTableToolBarDeleteButton")->isEnabled());

    // Arrow keys carry the selection.
    QTest::keyClick(m_window, Qt::Key_Down);
    QTRY_COMPARE(table->property("selectedIds").toList(), QVariantList{4});
    QTest::keyClick(m_window, Qt::Key_Up);
    QTRY_COMPARE(table->property("selectedIds").toList(), QVariantList{3});

    // Control-click adds a row.
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::ControlModifier, centreOf(item(m_window, "row_0")).toPoint());
    QTRY_COMPARE(table->property("selectedIds").toList().size(), 2);

    QTest::keyClick(m_window, Qt::Key_Delete);
    QTRY_VERIFY(item(m_window, "deviceTableDeleteDialogAcceptButton")->isVisible());
    QCOMPARE(shownText(item(m_window, "deviceTableDeleteDialogText")), QStringLiteral("Delete selected record?"));
    saveScreenshot(m_window, "components_delete_dialog");
    QVERIFY(click(m_window, "deviceTableDeleteDialogAcceptButton"));
    QTRY_COMPARE(table->property("count").toInt(), 2);
    QVariantList removed = galleryValue("removedIds").toList();
    std::sort(removed.begin(), removed.end(), [](const QVariant &a, const QVariant &b) { return a.toInt() < b.toInt(); });
    QCOMPARE(removed, (QVariantList{1, 3}));
    QCOMPARE(cell(0, "deviceName"), QStringLiteral("Backdoor"));
}

void TstComponents::calendarPicksDayAndTurnsPages()
{
    QQuickItem *title = item(m_window, "calendarNavigationTitle");
    QVERIFY(title);
    const QString march = shownText(title);
    QVERIFY(march.contains(QStringLiteral("2026")));

    QVERIFY(click(m_window, "calendarDay_15"));
    QTRY_COMPARE(galleryValue("pickedDate").toDate(), QDate(2026, 3, 15));

    QVERIFY(click(m_window, "calendarNavigationNext"));
    QTRY_VERIFY(shownText(title) != march);
    QVERIFY(click(m_window, "calendarDay_2"));
    QTRY_COMPARE(galleryValue("pickedDate").toDate(), QDate(2026, 4, 2));
    // April has no 31st.
    QVERIFY(!item(m_window, "calendarDay_31"));
}

void TstComponents::dialogButtonsAcceptAndReject()
{
    QVERIFY(click(m_window, "openDialogButton"));
    QTRY_VERIFY(item(m_window, "questionDialogRejectButton")->isVisible());
    QVERIFY(item(m_window, "questionDialogImage")->property("source").toString().endsWith("dialog/question.png"));
    QCOMPARE(item(m_window, "questionDialogImage")->property("status").toInt(), 1); // Image.Ready
    saveScreenshot(m_window, "components_question_dialog");
    QVERIFY(click(m_window, "questionDialogRejectButton"));
    QTRY_COMPARE(galleryValue("dialogResult").toString(), QStringLiteral("rejected"));
    QTRY_VERIFY(!item(m_window, "questionDialogRejectButton")->isVisible());

    QVERIFY(click(m_window, "openDialogButton"));
    QTRY_VERIFY(item(m_window, "questionDialogAcceptButton")->isVisible());
    QVERIFY(click(m_window, "questionDialogAcceptButton"));
    QTRY_COMPARE(galleryValue("dialogResult").toString(), QStringLiteral("accepted"));

    // Escape closes it as a rejection.
    QVERIFY(click(m_window, "openDialogButton"));
    QTRY_VERIFY(item(m_window, "questionDialogAcceptButton")->isVisible());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QTRY_COMPARE(galleryValue("dialogResult").toString(), QStringLiteral("rejected"));
}

void TstComponents::dragAndDropHandsOverData()
{
    const QPoint from = centreOf(item(m_window, "dragSource")).toPoint();
    const QPoint to = centreOf(item(m_window, "dropTarget")).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(m_window, from + (to - from) * step / 10);
    QTRY_VERIFY(item(m_window, "dragSource")->property("dragging").toBool());
    saveScreenshot(m_window, "components_dragging");
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, to);
    QTRY_COMPARE(galleryValue("droppedData").toString(), QStringLiteral("tile 3"));
    QVERIFY(!item(m_window, "dragSource")->property("dragging").toBool());
}

void TstComponents::formSavesThroughItsOwnerAndReportsFailure()
{
    // An empty name is refused before anything is asked.
    QVERIFY(click(m_window, "deviceEditorAcceptButton"));
    QTRY_VERIFY(item(m_window, "deviceFormErrorDialogAcceptButton")->isVisible());
    QCOMPARE(shownText(item(m_window, "deviceFormErrorDialogText")), QStringLiteral("The device needs a name."));
    QVERIFY(galleryValue("savedParams").isNull());
    QVERIFY(click(m_window, "deviceFormErrorDialogAcceptButton"));
    QTRY_VERIFY(!item(m_window, "deviceFormErrorDialogAcceptButton")->isVisible());

    QVERIFY(click(m_window, "formNameField"));
    for (const char key : QByteArray("Porch"))
        QTest::keyClick(m_window, key);
    QVERIFY(click(m_window, "deviceEditorAcceptButton"));
    QTRY_COMPARE(galleryValue("savedParams").toMap().value("deviceName").toString(), QStringLiteral("Porch"));
    // The owner answered with a failure: the user is told.
    QTRY_VERIFY(item(m_window, "deviceFormErrorDialogAcceptButton")->isVisible());
    QCOMPARE(shownText(item(m_window, "deviceFormErrorDialogTitle")), QStringLiteral("Add error"));
    QCOMPARE(shownText(item(m_window, "deviceFormErrorDialogText")), QStringLiteral("Failed to add"));
    saveScreenshot(m_window, "components_form_error");
    QVERIFY(click(m_window, "deviceFormErrorDialogAcceptButton"));
    QTRY_VERIFY(!item(m_window, "deviceFormErrorDialogAcceptButton")->isVisible());

    // A stored record brings no dialog.
    m_window->setProperty("replyStatus", QStringLiteral("OK"));
    QObject *form = item(m_window, "deviceForm");
    QSignalSpy saved(form, SIGNAL(saved()));
    // Enter in a field saves.
    QVERIFY(click(m_window, "formNameField"));
    QTest::keyClick(m_window, Qt::Key_Return);
    QTRY_COMPARE(saved.count(), 1);
    QVERIFY(!item(m_window, "deviceFormErrorDialogAcceptButton")->isVisible());
}

void TstComponents::frameWindowMovesByItsTitleBar()
{
    QQuickItem *titleBar = item(m_window, "galleryTitleBar");
    QVERIFY(titleBar);
    const QPoint before = m_window->position();
    const QPoint grip = titleBar->mapToScene(QPointF(titleBar->width() / 3, titleBar->height() / 2)).toPoint();
    QTest::mousePress(m_window, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(m_window, grip + QPoint(-25, 35));
    QTRY_COMPARE(m_window->position(), before + QPoint(-25, 35));
    // The window followed the pointer, so the pointer is over the grip point again.
    QTest::mouseRelease(m_window, Qt::LeftButton, Qt::NoModifier, grip);
    QCOMPARE(m_window->position(), before + QPoint(-25, 35));
}

QTEST_MAIN(TstComponents)

#include "tst_components.moc"
