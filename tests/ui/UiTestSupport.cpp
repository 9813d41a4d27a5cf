#include "UiTestSupport.h"

#include <QDir>
#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

namespace UiTestSupport {

QQuickItem *item(QQuickWindow *window, const QString &objectName)
{
    // Items of popups (menus, dialogs) hang under their popup, which is a QObject child of
    // the window's root object rather than of the content item.
    if (auto *found = window->contentItem()->findChild<QQuickItem *>(objectName))
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
