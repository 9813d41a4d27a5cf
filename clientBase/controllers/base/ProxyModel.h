#pragma once

#include "controllers/base/OriginalModel.h"
#include "nt_common/model/RecordProxy.h"

namespace LynClientController {

// What a view shows of a server-link record model.
class ProxyModel : public NtCommon::RecordProxy
{
    Q_OBJECT
public:
    explicit ProxyModel(QObject *parent = nullptr);

    Q_INVOKABLE void setOriginalModel(LynClientController::OriginalModel *originalModel);
    // The whole record with this rowID, whether the filter shows it or not.
    Q_INVOKABLE QVariantMap proxyData(int id) const;
    using RecordProxy::proxyData;
};

} // namespace LynClientController
