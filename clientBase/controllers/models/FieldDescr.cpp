#include "controllers/models/FieldDescr.h"

#include <atomic>

namespace LYNCommon {

namespace {
// One counter for the whole process: numbers say which field was declared first.
std::atomic<qint64> g_nextSeqNum{0};
} // namespace

FieldDescr::FieldDescr(qint64 properties)
    : properties(properties)
    , seqNum(g_nextSeqNum++)
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
