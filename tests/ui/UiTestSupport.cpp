#include "UiTestSupport.h"

#include <QDir>
#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

namespace UiTestSupport {

namespace {

QQuickItem *findInScene(QQuickItem *root, const QString &objectName)
{
    if (root->objectName() == objectName)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = findInScene(child, objectName))
            return found;
    }
    return nullptr;
}

// Positioners and layouts place their items while the next frame is prepared:
// an item found right after a change may still stand where it stood before.
bool settled(QQuickWindow *window)
{
    if (!window->isExposed())
        return true;
    // frameSwapped comes from the render thread: it is counted on this one.
    QObject relay;
    QSignalSpy swapped(&relay, &QObject::objectNameChanged);
    QObject::connect(window, &QQuickWindow::frameSwapped, &relay, [&relay] { relay.setObjectName("swapped"); },
                     Qt::QueuedConnection);
    window->update();
    if (swapped.count() || swapped.wait(5000))
        return true;
    qWarning() << "the window drew no frame";
    return false;
}

} // namespace

QQuickItem *item(QQuickWindow *window, const QString &objectName)
{
    // View delegates have no QObject parent, so the scene is searched first; items of
    // closed popups are outside the scene and are found through their QObject owners.
    if (QQuickItem *found = findInScene(window->contentItem()->parentItem() ? window->contentItem()->parentItem()
                                                                            : window->contentItem(),
                                        objectName))
        return found;
    return window->findChild<QQuickItem *>(objectName);
}

QPointF centreOf(QQuickItem *item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
}

bool click(QQuickWindow *window, const QString &objectName)
{
    if (!settled(window))
        return false;
    QQuickItem *target = item(window, objectName);
    if (!target || !target->isVisible() || target->width() <= 0) {
        qWarning() << "cannot click" << objectName << (target ? "(not shown)" : "(missing)");
        return false;
    }
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centreOf(target).toPoint());
    return true;
}

QString shownText(QQuickItem *item)
{
    if (!item)
        return QString();
    const QVariant own = item->property("text");
    if (own.isValid())
        return own.toString();
    for (QQuickItem *child : item->childItems()) {
        if (!child->isVisible())
            continue;
        const QString text = shownText(child);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

QString saveScreenshot(QQuickWindow *window, const QString &name)
{
    const QString dir = qEnvironmentVariable("LYN_BINARY_DIR", QDir::currentPath()) + QStringLiteral("/screenshots/ui");
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    window->grabWindow().save(path);
    return path;
}

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size() || x.isNull())
        return 0;
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            sum += qAbs(qRed(p[column]) - qRed(q[column])) + qAbs(qGreen(p[column]) - qGreen(q[column]))
                + qAbs(qBlue(p[column]) - qBlue(q[column]));
    }
    return double(sum) / (3.0 * x.width() * x.height());
}

} // namespace UiTestSupport
