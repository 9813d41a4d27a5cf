#include "controllers/models/DeviceTypeModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

DeviceTypeModel::DeviceTypeModel()
{
    addField(QStringLiteral("code"), ModelBase::PropPlain, ModelBase::TypeInt, true, QVariant(), QStringLiteral("Code"));
    addField(QStringLiteral("name"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Type Name"));
}

} // namespace LYNModels
