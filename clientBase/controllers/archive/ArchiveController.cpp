#include "controllers/archive/ArchiveController.h"

#include "controllers/models/ArchiveModel.h"

namespace LynClientController {

ArchiveController::ArchiveController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("archive");
    m_modelBase = QSharedPointer<LYNModels::ArchiveModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::archiveMessage);
}

} // namespace LynClientController
