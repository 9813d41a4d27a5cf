#pragma once

#include "client_base/model/OriginalModel.h"
#include "nt_common/model/RecordProxy.h"

namespace P2pClientController {

// What a view shows of a P2P record model.
class ProxyModel : public NtCommon::RecordProxy
{
    Q_OBJECT
public:
    explicit ProxyModel(QObject *parent = nullptr);

    Q_INVOKABLE void setOriginalModel(P2pClientController::OriginalModel *originalModel);
};

} // namespace P2pClientController
