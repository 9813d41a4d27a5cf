#pragma once

#include "client_base/controller/helper/ClientControllerHelperBase.h"
#include "client_base/model/OriginalModel.h"
#include "client_base/model/ProxyModel.h"

namespace ClientControllerHelper {

// The record model and proxy a table controller fills, and how answers reach them.
class ClientControllerItemHelperBase : public ClientControllerHelperBase
{
protected:
    // The answer's "records" list; entries that are not objects are logged and skipped.
    static QVector<QVariantMap> recordsOf(const DTO &message);
    // Removes the row named by the answer's `id`, if there is one.
    void removeRowOf(const DTO &message);

    P2pClientController::OriginalModel *m_originalModel = nullptr;
    P2pClientController::ProxyModel *m_proxyModel = nullptr;
    bool m_isStaticModel = false;
};

} // namespace ClientControllerHelper
