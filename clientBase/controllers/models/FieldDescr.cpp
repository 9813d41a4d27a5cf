#include "controllers/models/FieldDescr.h"

#include "nt_common/model/FieldTable.h"

namespace LYNCommon {

FieldDescr::FieldDescr(qint64 properties)
    : properties(properties)
    , seqNum(NtCommon::DeclarationCounter<FieldDescr>::next())
{
}

void FieldDescr::setTypeFlagDefault(int type, bool flag, const QVariant &defaultValue)
{
    this->type = type;
    this->flag = flag;
    this->defaultValue = defaultValue;
}

void FieldDescr::setTitle(const QString &title)
{
    this->title = title;
}

} // namespace LYNCommon
