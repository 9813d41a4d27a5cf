#include "controllers/models/OnlineAccessSettingsModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

OnlineAccessSettingsModel::OnlineAccessSettingsModel()
{
    addField(QStringLiteral("login"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
    addField(QStringLiteral("password"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
    addField(QStringLiteral("authKey"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
    addField(QStringLiteral("enabled"), ModelBase::PropPlain, ModelBase::TypeBool, true, true);
}

} // namespace LYNModels
