#pragma once

#include "controllers/base/OriginalModel.h"

#include <initializer_list>
#include <utility>

namespace LynClientController {

// Merges fixed code/name rows, keyed by their code, into a list of codes, so
// repeating it leaves the same rows.
void addCodeRows(OriginalModel *model, std::initializer_list<std::pair<int, QString>> rows);

} // namespace LynClientController
