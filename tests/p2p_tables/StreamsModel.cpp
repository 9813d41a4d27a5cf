#include "StreamsModel.h"

StreamsModel::StreamsModel()
    : ModelBase(QStringLiteral("streams"))
{
    addField(QStringLiteral("name"), PropPlain, TypeText, QString(), QStringLiteral("Name"));
    addField(QStringLiteral("description"), PropPlain, TypeText, QString(), QStringLiteral("Description"));
}
