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

// The QML face both links' editing controllers share: periodic refresh on or
// off and its interval (kept by a RefreshSchedule member), the current-row
// relay and the refreshes that change notifications drive. Placed inside the
// class after Q_OBJECT; leaves the class in its private section.
#define NT_REFRESHING_CONTROLLER                                                                                      \
    Q_PROPERTY(bool autoUpdate READ autoUpdate WRITE setAutoUpdate NOTIFY autoUpdateChanged)                           \
    Q_PROPERTY(int autoUpdateInterval READ autoUpdateInterval WRITE setAutoUpdateInterval NOTIFY autoUpdateIntervalChanged) \
public:                                                                                                               \
    bool autoUpdate() const { return m_schedule.autoUpdate(); }                                                       \
    int autoUpdateInterval() const { return m_schedule.autoUpdateInterval(); }                                        \
Q_SIGNALS:                                                                                                            \
    void currentIdChanged(QString currentId);                                                                         \
    void autoUpdateChanged(bool autoUpdate);                                                                          \
    void autoUpdateIntervalChanged(int autoUpdateInterval);                                                           \
public Q_SLOTS:                                                                                                       \
    void setAutoUpdate(bool value) { m_schedule.setAutoUpdate(value); }                                               \
    void setAutoUpdateInterval(int seconds) { m_schedule.setAutoUpdateInterval(seconds); }                            \
    void onCurrentIdChanged(QString currentId) { emit currentIdChanged(currentId); }                                  \
    virtual void onAutoUpdateTimerTimeout();                                                                          \
    void srUpdatedPure();                                                                                             \
    void srInsertedPure();                                                                                            \
                                                                                                                      \
private:                                                                                                              \
    NtCommon::RefreshSchedule m_schedule;
