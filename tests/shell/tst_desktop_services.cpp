#include "base/DesktopUtils.h"
#include "base/EventFilter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QtTest>

using LynClientBase::DesktopUtils;
using LynClientBase::EventFilter;

class TstDesktopServices : public QObject
{
    Q_OBJECT
private slots:
    void lookupsTolerateNullAndForeignObjects()
    {
        DesktopUtils utils;
        QVERIFY(!utils.findChildByName(nullptr, "x"));
        QVERIFY(utils.findChildrenByName(nullptr, "x").isEmpty());
        QCOMPARE(utils.idToString(&utils), QString());

        QObject root;
        auto *a = new QObject(&root);
        auto *b = new QObject(a);
        a->setObjectName("x");
        b->setObjectName("x");
        QCOMPARE(utils.findChildByName(&root, "x"), a);
        QCOMPARE(utils.findChildrenByName(&root, "x").size(), 2);
        QCOMPARE(utils.pathToDir("/tmp/a/b.txt"), QStringLiteral("/tmp/a"));
        QCOMPARE(utils.urlToPath(QUrl("file:///tmp/a b.txt")), QStringLiteral("/tmp/a b.txt"));
    }

    void cursorShapeStacksOverridesAndNotifiesOnChangeOnly()
    {
        DesktopUtils utils;
        QSignalSpy changed(&utils, &DesktopUtils::cursorShapeChanged);
        utils.setCursorShape(Qt::ArrowCursor);
        QCOMPARE(changed.count(), 0);
        utils.setCursorShape(Qt::WaitCursor);
        utils.setCursorShape(Qt::CrossCursor);
        QCOMPARE(changed.count(), 2);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        utils.setCursorShape(Qt::ArrowCursor);
        // One pop for two pushes leaves the first override in place.
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
    }

    void filterReportsKeysWithoutConsumingThem()
    {
        EventFilter filter;
        QObject target;
        target.installEventFilter(&filter);
        QSignalSpy pressed(&filter, &EventFilter::keyPressed);
        QSignalSpy released(&filter, &EventFilter::keyReleased);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A", true);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &press);
        QCoreApplication::sendEvent(&target, &release);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.first().at(0).toInt(), int(Qt::Key_A));
        QCOMPARE(pressed.first().at(1).toInt(), int(Qt::ShiftModifier));
        QCOMPARE(pressed.first().at(2).toBool(), true);
        QCOMPARE(released.count(), 1);
        QVERIFY(!filter.eventFilter(&target, &press));
    }
};

QTEST_MAIN(TstDesktopServices)
#include "tst_desktop_services.moc"
