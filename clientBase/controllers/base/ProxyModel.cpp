#include "controllers/base/ProxyModel.h"

namespace LynClientController {

ProxyModel::ProxyModel(QObject *parent)
    : RecordProxy(QStringLiteral("..\\clientBase\\controllers\\base\\ProxyModel"),
                  QStringLiteral("LynClientController::ProxyModel::filterAcceptsRow"), QStringLiteral("rowID"), parent)
{
}

void ProxyModel::setOriginalModel(OriginalModel *originalModel)
{
    setRecordModel(originalModel);
}

QVariantMap ProxyModel::proxyData(int id) const
{
    const auto *model = static_cast<OriginalModel *>(recordModel());
    return model ? model->originalData(model->findId(id)) : QVariantMap();
}

} // namespace LynClientController
