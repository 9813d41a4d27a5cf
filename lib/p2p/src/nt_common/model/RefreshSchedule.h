#pragma once

#include <QObject>
#include <QTimer>

namespace NtCommon {

// The periodic refresh of a table controller: on or off, every so many
// seconds. Setters act and notify only on a change.
class RefreshSchedule : public QObject
{
    Q_OBJECT
public:
    explicit RefreshSchedule(QObject *parent = nullptr);

    bool autoUpdate() const;
    int autoUpdateInterval() const;
    void setAutoUpdate(bool value);
    void setAutoUpdateInterval(int seconds);

    // The controller's periodic refresh and change signals follow this schedule.
    template <class Controller>
    void relayTo(Controller *controller)
    {
        connect(this, &RefreshSchedule::timeout, controller, &Controller::onAutoUpdateTimerTimeout);
        connect(this, &RefreshSchedule::autoUpdateChanged, controller, &Controller::autoUpdateChanged);
        connect(this, &RefreshSchedule::autoUpdateIntervalChanged, controller, &Controller::autoUpdateIntervalChanged);
    }

    // Runs `step` with `flag` switched on, restoring it afterwards even when `step` throws.
    template <class Step>
    static void withFlagOn(bool &flag, Step step)
    {
        struct Restore
        {
            bool &flag;
            bool previous;
            ~Restore() { flag = previous; }
        } restore{flag, flag};
        flag = true;
        step();
    }

signals:
    void timeout();
    void autoUpdateChanged(bool autoUpdate);
    void autoUpdateIntervalChanged(int autoUpdateInterval);

private:
    QTimer m_timer;
    bool m_autoUpdate = false;
    int m_autoUpdateInterval = 30;
};

} // namespace NtCommon
