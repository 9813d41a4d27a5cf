#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest time the thread's event loop went without running a 1 ms timer:
// how long the thread was kept from handling events.
class EventLoopGap : public QObject
{
public:
    EventLoopGap();
    void start();
    void stop();
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_tick;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
};
