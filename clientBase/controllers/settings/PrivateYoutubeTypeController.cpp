#include "controllers/settings/PrivateYoutubeTypeController.h"

#include "controllers/common/CodeRows.h"
#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/DeviceTypeModel.h"

namespace LynClientController {

PrivateYoutubeTypeController::PrivateYoutubeTypeController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("privateYoutubeType");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<PrivateYoutubeTypeController, LYNModels::DeviceTypeModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    addCodeRows(model, {{1, tr("unlisted")}, {2, tr("Public")}, {3, tr("Private")}});
}

} // namespace LynClientController
