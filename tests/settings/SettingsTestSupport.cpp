#include "SettingsTestSupport.h"

#include "UiTestSupport.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUuid>
#include <QtTest>

namespace SettingsTestSupport {

bool typeInto(QQuickWindow *window, const QString &objectName, const QString &text)
{
    if (!UiTestSupport::click(window, objectName))
        return false;
    QQuickItem *field = UiTestSupport::item(window, objectName);
    if (!QTest::qWaitFor([field] { return field->hasActiveFocus(); }, 5000))
        return false;
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::keyClick(window, ch.toLatin1());
    return field->property("text").toString() == text;
}

QVariant storedValue(const QString &databasePath, const QString &table, const QString &field, qint64 rowId)
{
    const QString connection = QUuid::createUuid().toString();
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            const QString where = rowId < 0 ? QString() : QStringLiteral(" WHERE rowID = %1").arg(rowId);
            if (query.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\"%3 ORDER BY rowID LIMIT 1").arg(field, table, where)) && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return value;
}

QQuickWindow *topLevelWindow(const QString &objectName)
{
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->objectName() == objectName)
            return qobject_cast<QQuickWindow *>(window);
    }
    return nullptr;
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace SettingsTestSupport
