#include "controllers/base/OriginalModel.h"

namespace LynClientController {

OriginalModel::OriginalModel(QObject *parent)
    : RecordModel(NtCommon::RecordKey(NtCommon::RecordKey::Kind::Integer, QStringLiteral("rowID")), parent)
{
}

void OriginalModel::setModelBase(const QSharedPointer<LYNCommon::ModelBase> &description)
{
    if (!description)
        return;
    m_modelBase = description;
    setCatalog(std::make_unique<NtCommon::FieldCatalogOf<LYNCommon::ModelBase>>(description));
}

QSharedPointer<LYNCommon::ModelBase> OriginalModel::modelBase() const
{
    return m_modelBase;
}

int OriginalModel::findId(qlonglong id) const
{
    NtCommon::RecordKey::Value key;
    key.number = id;
    return rowOfKey(key);
}

} // namespace LynClientController
