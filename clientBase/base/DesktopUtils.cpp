#include "base/DesktopUtils.h"

#include "base/EventFilter.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>

namespace LynClientBase {

namespace {
QQuickWindow *asWindow(const QVariant &qmlWindow)
{
    return qobject_cast<QQuickWindow *>(qmlWindow.value<QObject *>());
}
} // namespace

void DesktopUtils::addEventFilter(QVariant qmlWindow)
{
    if (QQuickWindow *window = asWindow(qmlWindow))
        window->installEventFilter(SpSingleton<EventFilter>::instance());
}

void DesktopUtils::removeEventFilter(QVariant qmlWindow)
{
    if (QQuickWindow *window = asWindow(qmlWindow))
        window->removeEventFilter(SpSingleton<EventFilter>::instance());
}

QString DesktopUtils::urlToPath(QUrl url) const
{
    return url.toLocalFile();
}

QString DesktopUtils::pathToDir(QString filePath) const
{
    return QFileInfo(filePath).absolutePath();
}

QString DesktopUtils::idToString(QObject *object) const
{
    QQmlContext *context = object ? qmlContext(object) : nullptr;
    return context ? context->nameForObject(object) : QString();
}

QObject *DesktopUtils::findChildByName(QObject *rootObject, QString name) const
{
    return rootObject ? rootObject->findChild<QObject *>(name, Qt::FindChildrenRecursively) : nullptr;
}

QList<QObject *> DesktopUtils::findChildrenByName(QObject *rootObject, QString name) const
{
    return rootObject ? rootObject->findChildren<QObject *>(name, Qt::FindChildrenRecursively) : QList<QObject *>();
}

Qt::KeyboardModifiers DesktopUtils::keyboardModifiers() const
{
    return QGuiApplication::keyboardModifiers();
}

Qt::MouseButtons DesktopUtils::mouseButtons() const
{
    return QGuiApplication::mouseButtons();
}

bool DesktopUtils::isControlPressed() const
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

bool DesktopUtils::isAltPressed() const
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier;
}

bool DesktopUtils::isShiftPressed() const
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

QString DesktopUtils::getClipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void DesktopUtils::setClipboardText(QString text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString DesktopUtils::buildDate() const
{
    return QStringLiteral(__DATE__);
}

QString DesktopUtils::qtVersion() const
{
    return QStringLiteral(QT_VERSION_STR);
}

QString DesktopUtils::exportDirPath() const
{
    return m_exportDir.absolutePath();
}

Qt::CursorShape DesktopUtils::cursorShape() const
{
    return m_cursorShape;
}

void DesktopUtils::setCursorShape(Qt::CursorShape shape)
{
    if (shape == m_cursorShape)
        return;
    m_cursorShape = shape;
    if (shape != Qt::ArrowCursor)
        QGuiApplication::setOverrideCursor(QCursor(shape));
    else
        QGuiApplication::restoreOverrideCursor();
    emit cursorShapeChanged(shape);
}

} // namespace LynClientBase
