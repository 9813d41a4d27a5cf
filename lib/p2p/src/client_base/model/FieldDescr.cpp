#include "client_base/model/FieldDescr.h"

#include <atomic>

namespace P2pClientController {

namespace {
// Separate from the server link's counter: the two sets of tables number independently.
std::atomic<qint64> g_seqCounter{0};
} // namespace

FieldDescr::FieldDescr(qint64 properties)
    : seqNum(g_seqCounter++)
    , properties(properties)
{
}

} // namespace P2pClientController
