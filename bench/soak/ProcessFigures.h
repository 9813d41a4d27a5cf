#pragma once

#include <QString>

// What a long-running client holds of the system: resident memory, open file
// descriptors and threads, read from /proc for this process, and the heap in
// use (which tells a leak from memory the allocator keeps for reuse).
struct ProcessFigures
{
    qint64 residentKiB = 0;
    qint64 heapKiB = 0;
    int openFiles = 0;
    int threads = 0;

    static ProcessFigures now();
    QString text() const;
};
