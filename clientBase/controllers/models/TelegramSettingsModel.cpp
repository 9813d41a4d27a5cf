#include "controllers/models/TelegramSettingsModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

TelegramSettingsModel::TelegramSettingsModel()
{
    addField(QStringLiteral("phone"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""), QStringLiteral("Phone"));
    addField(QStringLiteral("code"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""), QStringLiteral("Code"));
    addField(QStringLiteral("enabled"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("Enabled"));
    addField(QStringLiteral("groupName"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""), QStringLiteral("Group name"));
    addField(QStringLiteral("isLink"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("Is link"));
}

} // namespace LYNModels
