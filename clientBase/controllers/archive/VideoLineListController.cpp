#include "controllers/archive/VideoLineListController.h"

#include "controllers/models/VideoLineListModel.h"

namespace LynClientController {

VideoLineListController::VideoLineListController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_modelBase = QSharedPointer<LYNModels::VideoLineListModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
}

} // namespace LynClientController
