#include "controllers/settings/YoutubeSettingsController.h"

#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/YoutubeSettingsModel.h"

namespace LynClientController {

YoutubeSettingsController::YoutubeSettingsController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("youtubeSettings");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<YoutubeSettingsController, LYNModels::YoutubeSettingsModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::youtubeSettingsMessage);
}

} // namespace LynClientController
