#include "client_base/model/ProxyModel.h"

namespace P2pClientController {

ProxyModel::ProxyModel(QObject *parent)
    : RecordProxy(QStringLiteral("..\\src\\client_base\\model\\ProxyModel"),
                  QStringLiteral("P2pClientController::ProxyModel::filterAcceptsRow"), QStringLiteral("id"), parent)
{
}

void ProxyModel::setOriginalModel(OriginalModel *originalModel)
{
    setRecordModel(originalModel);
}

} // namespace P2pClientController
