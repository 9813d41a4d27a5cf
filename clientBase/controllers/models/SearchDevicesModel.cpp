#include "controllers/models/SearchDevicesModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

SearchDevicesModel::SearchDevicesModel()
{
    addField(QStringLiteral("state"), ModelBase::PropPlain, ModelBase::TypeTile, false, QVariant(), QStringLiteral("State"));
    addField(QStringLiteral("isNew"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("New"));
    addField(QStringLiteral("isAdd"), ModelBase::PropClientSide, ModelBase::TypeBool, false, false, QStringLiteral("Add"));
    addField(QStringLiteral("num"), ModelBase::PropClientSide, ModelBase::TypeInt, false, QVariant(), QStringLiteral("Num"));
    addField(QStringLiteral("ip"), ModelBase::PropClientSide, ModelBase::TypeText, false, QVariant(), QStringLiteral("Ip address"));
    addField(QStringLiteral("login"), ModelBase::PropClientSide, ModelBase::TypeText, false, QVariant(), QStringLiteral("Login"));
    addField(QStringLiteral("password"), ModelBase::PropClientSide, ModelBase::TypeText, false, QVariant(), QStringLiteral("Password"));
    addField(QStringLiteral("picture"), ModelBase::PropClientSide, ModelBase::TypeText, false, QVariant(), QStringLiteral("Picture"));
}

} // namespace LYNModels
