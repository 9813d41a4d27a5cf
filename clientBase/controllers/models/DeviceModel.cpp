#include "controllers/models/DeviceModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

DeviceModel::DeviceModel()
{
    addField(QStringLiteral("tileIndex"), ModelBase::PropPlain, ModelBase::TypeTile, false, false);
    addField(QStringLiteral("recState"), ModelBase::PropPlain, ModelBase::TypeText, false, QString());
    addField(QStringLiteral("dtRecStarted"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0);
    addField(QStringLiteral("fileSdp"), ModelBase::PropClientSide, ModelBase::TypeText, false, QString());
}

} // namespace LYNModels
