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

} // namespace UiTestSupport
