#include "controllers/models/VideoLineListModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

VideoLineListModel::VideoLineListModel()
{
    addField(QStringLiteral("rstIDDevice"), ModelBase::PropPlain, ModelBase::TypeInt, true, -1);
    addField(QStringLiteral("deviceName"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Device name"));
    addField(QStringLiteral("modelOfArchiveLine"), ModelBase::PropPlain, ModelBase::TypeText, true, QString());
}

} // namespace LYNModels
