#include "ArchiveFixture.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace ArchiveFixture {

namespace {
template <class F>
auto withDatabase(const QString &path, F f)
{
    const QString name = QStringLiteral("archive-fixture");
    auto result = [&] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        return f(db);
    }();
    QSqlDatabase::removeDatabase(name);
    return result;
}

bool sameImage(const QImage &a, const QImage &b)
{
    return a.size() == b.size() && a == b;
}

bool flat(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}
} // namespace

qint64 dayStartMs(const QDate &day)
{
    return QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch();
}

qint64 todayStartMs()
{
    return dayStartMs(QDate::currentDate());
}

qint64 addPiece(const QString &database, qint64 device, int type, qint64 dtStart, qint64 dtEnd, const QString &filePath)
{
    return withDatabase(database, [&](QSqlDatabase &db) -> qint64 {
        QSqlQuery newest(db);
        newest.exec(QStringLiteral("SELECT MAX(\"dtUpdate\") FROM archive"));
        const qint64 stamp = newest.next() ? newest.value(0).toLongLong() + 1 : 1;
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO archive (\"rstIDDevice\", \"type\", \"dtStart\", \"dtEnd\", \"duration\", "
                                     "\"xOffset\", \"filePath\", \"final\", \"detected\", \"deviceName\", \"dtUpdate\", "
                                     "\"dtInsert\") VALUES (?, ?, ?, ?, ?, ?, ?, 1, 'person', '', ?, ?)"));
        for (const QVariant &value : QVariantList{device, type, dtStart, dtEnd, (dtEnd - dtStart) / 1000,
                                                  QDateTime::fromMSecsSinceEpoch(dtStart).time().msecsSinceStartOfDay() / 1000,
                                                  filePath, stamp, stamp})
            query.addBindValue(value);
        if (!query.exec())
            qWarning() << query.lastError().text();
        return query.lastInsertId().toLongLong();
    });
}

QList<Piece> piecesBetween(const QString &database, qint64 from, qint64 to)
{
    return withDatabase(database, [&](QSqlDatabase &db) {
        QList<Piece> pieces;
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT \"rowID\", \"rstIDDevice\", \"type\", \"dtStart\", \"dtEnd\" FROM archive "
                                     "WHERE \"dtStart\" >= ? AND \"dtStart\" < ? ORDER BY \"dtStart\""));
        query.addBindValue(from);
        query.addBindValue(to);
        query.exec();
        while (query.next())
            pieces.append({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toInt(),
                           query.value(3).toLongLong(), query.value(4).toLongLong()});
        return pieces;
    });
}

QList<Piece> piecesOfDay(const QString &database, const QDate &day)
{
    return piecesBetween(database, dayStartMs(day), dayStartMs(day.addDays(1)));
}

QList<Piece> piecesOfToday(const QString &database)
{
    return piecesOfDay(database, QDate::currentDate());
}

QString firstFileOf(const QString &database, qint64 device)
{
    return withDatabase(database, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT \"filePath\" FROM archive WHERE \"rstIDDevice\" = ? ORDER BY \"dtStart\" LIMIT 1"));
        query.addBindValue(device);
        query.exec();
        return query.next() ? query.value(0).toString() : QString();
    });
}

QRect sceneRect(QQuickItem *item)
{
    const QPointF topLeft = item->mapToScene(QPointF(0, 0));
    return QRect(topLeft.toPoint(), QSize(int(item->width()), int(item->height())));
}

QList<QPair<int, int>> redRuns(const QImage &image, int y, int left, int right)
{
    QList<QPair<int, int>> runs;
    int start = -1;
    for (int x = left; x <= right; ++x) {
        const QColor c = x < right ? image.pixelColor(x, y) : QColor();
        const bool red = x < right && c.red() > c.green() + 60 && c.red() > 100;
        if (red && start < 0)
            start = x;
        if (!red && start >= 0) {
            runs.append({start, x});
            start = -1;
        }
    }
    return runs;
}

bool drawn(const QImage &image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    // Pieces are green or red over the grey-blue line background.
    return c.green() > c.red() + 30 || c.red() > c.green() + 60;
}

bool changes(QQuickWindow *window, const QRect &region, int timeoutMs)
{
    const QImage before = window->grabWindow().copy(region);
    return QTest::qWaitFor([&] {
        const QImage now = window->grabWindow().copy(region);
        return !sameImage(now, before) && !flat(now);
    }, timeoutMs);
}

int becomesStill(QQuickWindow *window, const QRect &region, int stillMs, int timeoutMs)
{
    QElapsedTimer since;
    since.start();
    QImage last = window->grabWindow().copy(region);
    QElapsedTimer sameFor;
    sameFor.start();
    while (since.elapsed() < timeoutMs) {
        QTest::qWait(100);
        const QImage now = window->grabWindow().copy(region);
        if (!sameImage(now, last)) {
            last = now;
            sameFor.restart();
        } else if (sameFor.elapsed() >= stillMs) {
            return int(since.elapsed() - sameFor.elapsed());
        }
    }
    return -1;
}

} // namespace ArchiveFixture
