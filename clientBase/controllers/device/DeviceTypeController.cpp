#include "controllers/device/DeviceTypeController.h"

#include "controllers/common/CodeRows.h"
#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/DeviceTypeModel.h"

namespace LynClientController {

DeviceTypeController::DeviceTypeController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("deviceType");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<DeviceTypeController, LYNModels::DeviceTypeModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    addCodeRows(model, {{2, tr("IP camera")}, {3, tr("USB Camera")}, {4, tr("Screen")}});
}

} // namespace LynClientController
