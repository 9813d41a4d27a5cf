#include "controllers/models/DeviceBaseModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

DeviceBaseModel::DeviceBaseModel()
{
    addField(QStringLiteral("deviceName"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Device name"));
    addField(QStringLiteral("camType"), ModelBase::PropPlain, ModelBase::TypeInt, true, 2, QStringLiteral("Device type"));
    addField(QStringLiteral("uid"), ModelBase::PropPlain, ModelBase::TypeText, false, QVariant(), QStringLiteral("UID"));
    addField(QStringLiteral("source"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Camera source"));
    addField(QStringLiteral("realSource"), ModelBase::PropPlain, ModelBase::TypeText, false, QString(), QStringLiteral("Camera real source"));
    addField(QStringLiteral("rtp"), ModelBase::PropPlain, ModelBase::TypeText, false, QString());
    addField(QStringLiteral("sdp"), ModelBase::PropPlain, ModelBase::TypeText, false, QString());
}

} // namespace LYNModels
