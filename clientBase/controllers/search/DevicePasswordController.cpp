#include "controllers/search/DevicePasswordController.h"

#include "controllers/models/DevicePasswordModel.h"

namespace LynClientController {

DevicePasswordController::DevicePasswordController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("devicePassword");
    m_modelBase = QSharedPointer<LYNModels::DevicePasswordModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::devicePasswordMessage);
}

} // namespace LynClientController
