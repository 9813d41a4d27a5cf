#include "ProcessFigures.h"

#include <QDir>
#include <QFile>

#include <malloc.h>

ProcessFigures ProcessFigures::now()
{
    ProcessFigures figures;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() < 2)
                continue;
            if (words.first() == "VmRSS:")
                figures.residentKiB = words.at(1).toLongLong();
            else if (words.first() == "Threads:")
                figures.threads = words.at(1).toInt();
        }
    }
    const struct mallinfo2 heap = mallinfo2();
    figures.heapKiB = qint64(heap.uordblks + heap.hblkhd) / 1024;
    figures.openFiles = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
    return figures;
}

QString ProcessFigures::text() const
{
    return QStringLiteral("resident %1 MiB (heap in use %2 MiB), %3 open files, %4 threads")
        .arg(residentKiB / 1024.0, 0, 'f', 1).arg(heapKiB / 1024.0, 0, 'f', 1).arg(openFiles).arg(threads);
}
