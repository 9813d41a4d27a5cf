#pragma once

#include "controllers/base/ControllerItemBase.h"
#include "nt_common/model/RefreshSchedule.h"

namespace LynClientController {

// Add, update, remove and duplicate; server-side change notifications and the
// incremental and periodic refresh they drive.
class ControllerDesktopBase : public ControllerItemBase
{
    Q_OBJECT
    NT_REFRESHING_CONTROLLER

public:
    explicit ControllerDesktopBase(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trAdd(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trUpdate(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trRem(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trDuplicate(QJsonObject mapParams);
    Q_INVOKABLE void insertParam4trQuery(QString key, QVariant value);

signals:
    void saAdd(QJsonObject mapParams);
    void saRem(QJsonObject mapParams);
    void saDuplicate(QJsonObject mapParams);
    void saUpdate(QJsonObject mapParams);
    void srUpdated(QJsonObject mapParams);
    void srInserted(QJsonObject mapParams);

private:
    // Asks for the records changed since the newest one held, without clearing the model.
    void refreshAfterNotification(const QString &request);
    QJsonObject newerThanHeld(QJsonObject data) const;

    QJsonObject m_lastSrUpdated;
    QJsonObject m_lastSrInserted;
};

} // namespace LynClientController
