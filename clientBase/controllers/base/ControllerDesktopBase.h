#pragma once

#include "controllers/base/ControllerItemBase.h"
#include "nt_common/model/RefreshSchedule.h"

namespace LynClientController {

// Add, update, remove and duplicate; server-side change notifications and the
// incremental and periodic refresh they drive.
class ControllerDesktopBase : public ControllerItemBase
{
    Q_OBJECT
    Q_PROPERTY(bool autoUpdate READ autoUpdate WRITE setAutoUpdate NOTIFY autoUpdateChanged)
    Q_PROPERTY(int autoUpdateInterval READ autoUpdateInterval WRITE setAutoUpdateInterval NOTIFY autoUpdateIntervalChanged)

public:
    explicit ControllerDesktopBase(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trAdd(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trUpdate(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trRem(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trDuplicate(QJsonObject mapParams);
    Q_INVOKABLE void insertParam4trQuery(QString key, QVariant value);

    bool autoUpdate() const { return m_schedule.autoUpdate(); }
    int autoUpdateInterval() const { return m_schedule.autoUpdateInterval(); }

signals:
    void currentIdChanged(QString currentId);
    void saAdd(QJsonObject mapParams);
    void saRem(QJsonObject mapParams);
    void saDuplicate(QJsonObject mapParams);
    void saUpdate(QJsonObject mapParams);
    void srUpdated(QJsonObject mapParams);
    void srInserted(QJsonObject mapParams);
    void autoUpdateChanged(bool autoUpdate);
    void autoUpdateIntervalChanged(int autoUpdateInterval);

public slots:
    void setAutoUpdate(bool value) { m_schedule.setAutoUpdate(value); }
    void setAutoUpdateInterval(int seconds) { m_schedule.setAutoUpdateInterval(seconds); }
    virtual void onAutoUpdateTimerTimeout();
    void onCurrentIdChanged(QString currentId);
    void srUpdatedPure();
    void srInsertedPure();

private:
    // Asks for the records changed since the newest one held, without clearing the model.
    void refreshAfterNotification(const QString &request);
    QJsonObject newerThanHeld(QJsonObject data) const;

    QJsonObject m_lastSrUpdated;
    QJsonObject m_lastSrInserted;
    NtCommon::RefreshSchedule m_schedule;
};

} // namespace LynClientController
