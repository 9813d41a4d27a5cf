#pragma once

#include "controllers/models/ModelBase.h"
#include "nt_common/model/RecordModel.h"

#include <QSharedPointer>

namespace LynClientController {

// Client-side mirror of one server table, keyed by the whole-number rowID.
class OriginalModel : public NtCommon::RecordModel
{
    Q_OBJECT
public:
    explicit OriginalModel(QObject *parent = nullptr);

    void setModelBase(const QSharedPointer<LYNCommon::ModelBase> &description);
    QSharedPointer<LYNCommon::ModelBase> modelBase() const;

    Q_INVOKABLE int findId(qlonglong id) const;

private:
    QSharedPointer<LYNCommon::ModelBase> m_modelBase;
};

} // namespace LynClientController
