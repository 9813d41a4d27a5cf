#include "controllers/settings/OnlineAccessSettingsController.h"

#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/OnlineAccessSettingsModel.h"

namespace LynClientController {

OnlineAccessSettingsController::OnlineAccessSettingsController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("onlineAccessSettings");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<OnlineAccessSettingsController, LYNModels::OnlineAccessSettingsModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::onlineAccessSettingsMessage);
}

} // namespace LynClientController
