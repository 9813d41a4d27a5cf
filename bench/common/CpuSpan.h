#pragma once

#include <QElapsedTimer>

// CPU seconds per second of this process and of the X server showing its
// windows, over the time since construction.
class CpuSpan
{
public:
    CpuSpan();

    double elapsedSeconds() const;
    double selfPerSecond() const;
    double displayServerPerSecond() const;

private:
    qint64 m_server = 0;
    double m_selfStart = 0;
    double m_serverStart = 0;
    QElapsedTimer m_clock;
};
