#include "controllers/models/DevicePasswordModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

DevicePasswordModel::DevicePasswordModel()
{
    addField(QStringLiteral("login"), ModelBase::PropPlain, ModelBase::TypeText, true, QString(), QStringLiteral("Login"));
    addField(QStringLiteral("password"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Password"));
}

} // namespace LYNModels
