#pragma once

#include "common/Utils.h"

#include <QDir>
#include <QList>
#include <QUrl>
#include <QVariant>

namespace LynClientBase {

// What QML alone cannot reach: paths, object lookup, input state, clipboard,
// the application cursor and build facts.
class DesktopUtils : public LYNCommon::Utils
{
    Q_OBJECT
    Q_PROPERTY(Qt::MouseButtons mouseButtons READ mouseButtons CONSTANT)
    Q_PROPERTY(Qt::KeyboardModifiers modifiers READ keyboardModifiers CONSTANT)
    Q_PROPERTY(bool isControlPressed READ isControlPressed CONSTANT)
    Q_PROPERTY(bool isAltPressed READ isAltPressed CONSTANT)
    Q_PROPERTY(bool isShiftPressed READ isShiftPressed CONSTANT)
    Q_PROPERTY(QString buildDate READ buildDate CONSTANT)
    Q_PROPERTY(QString qtVersion READ qtVersion CONSTANT)
    Q_PROPERTY(QString exportDir READ exportDirPath CONSTANT)
    Q_PROPERTY(Qt::CursorShape cursorShape READ cursorShape WRITE setCursorShape NOTIFY cursorShapeChanged)

public:
    using LYNCommon::Utils::Utils;

    Q_INVOKABLE void addEventFilter(QVariant qmlWindow);
    Q_INVOKABLE void removeEventFilter(QVariant qmlWindow);
    Q_INVOKABLE QString urlToPath(QUrl url) const;
    Q_INVOKABLE QString pathToDir(QString filePath) const;
    Q_INVOKABLE QString idToString(QObject *object) const;
    Q_INVOKABLE QObject *findChildByName(QObject *rootObject, QString name) const;
    Q_INVOKABLE QList<QObject *> findChildrenByName(QObject *rootObject, QString name) const;
    Q_INVOKABLE Qt::KeyboardModifiers keyboardModifiers() const;
    Q_INVOKABLE Qt::MouseButtons mouseButtons() const;
    Q_INVOKABLE bool isControlPressed() const;
    Q_INVOKABLE bool isAltPressed() const;
    Q_INVOKABLE bool isShiftPressed() const;
    Q_INVOKABLE QString getClipboardText() const;
    Q_INVOKABLE void setClipboardText(QString text);

    QString buildDate() const;
    QString qtVersion() const;
    QString exportDirPath() const;
    Qt::CursorShape cursorShape() const;
    void setCursorShape(Qt::CursorShape shape);

signals:
    void cursorShapeChanged(Qt::CursorShape cursorShape);

private:
    QDir m_exportDir{QString()};
    Qt::CursorShape m_cursorShape = Qt::ArrowCursor;
};

} // namespace LynClientBase
