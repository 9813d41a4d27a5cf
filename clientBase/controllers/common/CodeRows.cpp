#include "controllers/common/CodeRows.h"

namespace LynClientController {

void addCodeRows(OriginalModel *model, std::initializer_list<std::pair<int, QString>> rows)
{
    for (const auto &row : rows)
        model->addRow({{QStringLiteral("rowID"), row.first}, {QStringLiteral("code"), row.first}, {QStringLiteral("name"), row.second}});
}

} // namespace LynClientController
