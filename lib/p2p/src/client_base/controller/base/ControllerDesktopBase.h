#pragma once

#include "client_base/controller/base/ControllerItemBase.h"
#include "nt_common/model/NotificationThrottle.h"
#include "nt_common/model/RefreshSchedule.h"

namespace P2pClientController {

// New, update, remove, duplicate, lock and unlock; the server's change
// notifications (throttled) and the incremental and periodic refresh.
class ControllerDesktopBase : public ControllerItemBase
{
    Q_OBJECT
    NT_REFRESHING_CONTROLLER

public:
    static constexpr int kThrottleMs = 1000;

    explicit ControllerDesktopBase(QQuickItem *parent = nullptr);

    bool handleMessage(QString actionName, std::shared_ptr<DTO> dto) override;

    void trNew(DTO &mapParams);
    void trUpdate(DTO &mapParams);
    void trRemove(DTO &mapParams);
    void trDuplicate(DTO &mapParams);
    void trLock(DTO &mapParams);
    void trUnlock(DTO &mapParams);
    Q_INVOKABLE void trNew(QJsonObject mapParams);
    Q_INVOKABLE void trUpdate(QJsonObject mapParams);
    Q_INVOKABLE void trRemove(QJsonObject mapParams);
    Q_INVOKABLE void trDuplicate(QJsonObject mapParams);
    Q_INVOKABLE void trLock(QJsonObject mapParams);
    Q_INVOKABLE void trUnlock(QJsonObject mapParams);
    Q_INVOKABLE void insertParam4trGetList(QString key, QVariant value);

signals:
    void saLock(const DTO &mapParams);
    void saUnlock(const DTO &mapParams);
    void saNew(const DTO &mapParams);
    void saRemove(const DTO &mapParams);
    void saDuplicate(const DTO &mapParams);
    void saUpdate(const DTO &mapParams);
    void srUpdated(const DTO &mapParams);
    void srInserted(const DTO &mapParams);

private:
    void send(const QString &action, const DTO &mapParams);
    // The stored query asking for records newer than the newest held, without clearing the model.
    DTO refreshQuery() const;
    void applyLockOwner(const DTO &message, const QVariant &owner);
    void reportFailure(const char *function, const std::function<void()> &step);

    DTO m_lastSrUpdated;
    DTO m_lastSrInserted;
    NtCommon::NotificationThrottle m_srUpdatedThrottle;
    NtCommon::NotificationThrottle m_srInsertedThrottle;
};

} // namespace P2pClientController
