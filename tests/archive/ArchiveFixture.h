#pragma once

#include <QDate>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QQuickItem;
class QQuickWindow;

// What the archive tests know of the demo installation, read from its
// database, and how they look at the screen.
namespace ArchiveFixture {

struct Piece
{
    qint64 rowID;
    qint64 device;
    int type;
    qint64 dtStart;
    qint64 dtEnd;
};

qint64 dayStartMs(const QDate &day);
qint64 todayStartMs();
// Adds a piece to the stand-in's database before it starts; returns its rowID.
qint64 addPiece(const QString &database, qint64 device, int type, qint64 dtStart, qint64 dtEnd, const QString &filePath);
// Pieces of the database that start on the day, ordered by start.
QList<Piece> piecesOfDay(const QString &database, const QDate &day);
QList<Piece> piecesOfToday(const QString &database);
QString firstFileOf(const QString &database, qint64 device);

// The item's rectangle in the window.
QRect sceneRect(QQuickItem *item);
// Runs of columns on row y of the image inside [left, right) whose pixel is "event red".
QList<QPair<int, int>> redRuns(const QImage &image, int y, int left, int right);
// True when the pixel differs from the plain background of a line.
bool drawn(const QImage &image, int x, int y);
// Waits until the region shows something other than in `before` (and not one flat colour).
bool changes(QQuickWindow *window, const QRect &region, int timeoutMs);
// Waits until the region stays the same across `stillMs`; returns the ms it took, or -1.
int becomesStill(QQuickWindow *window, const QRect &region, int stillMs, int timeoutMs);

} // namespace ArchiveFixture
