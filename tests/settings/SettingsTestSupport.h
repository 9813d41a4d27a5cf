#pragma once

#include <QString>
#include <QVariant>

class QQuickWindow;

// What the settings screen tests share: typing as a user and reading what the stand-in stored.
namespace SettingsTestSupport {

// Clicks the field, selects what it holds and types the text over it.
bool typeInto(QQuickWindow *window, const QString &objectName, const QString &text);
// A field of a table in the stand-in's tables file: of the record rowId, or of the first one.
QVariant storedValue(const QString &databasePath, const QString &table, const QString &field, qint64 rowId = -1);
// A shown top-level window by object name (the frame windows of the settings).
QQuickWindow *topLevelWindow(const QString &objectName);
quint16 freePort();

} // namespace SettingsTestSupport
