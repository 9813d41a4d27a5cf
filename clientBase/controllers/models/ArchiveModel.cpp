#include "controllers/models/ArchiveModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

ArchiveModel::ArchiveModel()
{
    addField(QStringLiteral("rstIDDevice"), ModelBase::PropPlain, ModelBase::TypeInt, true, -1);
    addField(QStringLiteral("type"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0);
    addField(QStringLiteral("dtStart"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0, QStringLiteral("Time"));
    addField(QStringLiteral("dtEnd"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0);
    addField(QStringLiteral("duration"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0);
    addField(QStringLiteral("xOffset"), ModelBase::PropPlain, ModelBase::TypeInt, true, 0);
    addField(QStringLiteral("filePath"), ModelBase::PropPlain, ModelBase::TypeText, true, QString());
    addField(QStringLiteral("secondsMap"), ModelBase::PropPlain, ModelBase::TypeText, true, QString());
    addField(QStringLiteral("final"), ModelBase::PropPlain, ModelBase::TypeBool, true, QVariant(), QStringLiteral("State"));
    addField(QStringLiteral("detected"), ModelBase::PropPlain, ModelBase::TypeText, true, QVariant(), QStringLiteral("Detected"));
    addField(QStringLiteral("deviceName"), ModelBase::PropPlain, ModelBase::TypeText, true, QVariant(), QStringLiteral("Camera name"));
}

} // namespace LYNModels
