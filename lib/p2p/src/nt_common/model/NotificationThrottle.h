#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace NtCommon {

// Runs an action at most once per interval: at once when the last run is old
// enough, otherwise once more when the interval is over.
class NotificationThrottle : public QObject
{
    Q_OBJECT
public:
    NotificationThrottle(std::function<void()> action, int intervalMs, QObject *parent = nullptr);

    void trigger();

private:
    void run();

    std::function<void()> m_action;
    int m_intervalMs;
    QElapsedTimer m_sinceLastRun;
    QTimer m_trailing;
};

} // namespace NtCommon
