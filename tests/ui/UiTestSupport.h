#pragma once

#include <QPointF>
#include <QString>

class QImage;

class QQuickItem;
class QQuickWindow;

// What the window tests share: finding items by role and acting on them as a user.
namespace UiTestSupport {

QQuickItem *item(QQuickWindow *window, const QString &objectName);
QPointF centreOf(QQuickItem *item);
// A left click in the middle of the item; false when the item is missing or not shown.
bool click(QQuickWindow *window, const QString &objectName);
// The text a label or the first text child of an item shows.
QString shownText(QQuickItem *item);
// Mean absolute difference of two equally sized pictures, per channel (0..255); 0 when the sizes differ.
double meanDifference(const QImage &a, const QImage &b);
// Saves a grab of the window under the build folder; returns the file path.
QString saveScreenshot(QQuickWindow *window, const QString &name);

} // namespace UiTestSupport
