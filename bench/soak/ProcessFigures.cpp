#include "ProcessFigures.h"

#include <QDir>
#include <QFile>

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
    figures.openFiles = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
    return figures;
}

QString ProcessFigures::text() const
{
    return QStringLiteral("resident %1 MiB, %2 open files, %3 threads").arg(residentKiB / 1024.0, 0, 'f', 1).arg(openFiles).arg(threads);
}
