#include "client_base/model/FieldDescr.h"

#include "nt_common/model/FieldTable.h"

namespace P2pClientController {

FieldDescr::FieldDescr(qint64 properties)
    : seqNum(NtCommon::DeclarationCounter<FieldDescr>::next())
    , properties(properties)
{
}

} // namespace P2pClientController
