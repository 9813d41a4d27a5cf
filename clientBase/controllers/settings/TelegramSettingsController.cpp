#include "controllers/settings/TelegramSettingsController.h"

#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/TelegramSettingsModel.h"

namespace LynClientController {

TelegramSettingsController::TelegramSettingsController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("telegramSettings");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<TelegramSettingsController, LYNModels::TelegramSettingsModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::telegramSettingsMessage);
}

bool TelegramSettingsController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("srCode")) {
        emit srCode(mapParams);
        return true;
    }
    if (actionName == QLatin1String("srLinked")) {
        emit srLinked(mapParams);
        return true;
    }
    return false;
}

} // namespace LynClientController
