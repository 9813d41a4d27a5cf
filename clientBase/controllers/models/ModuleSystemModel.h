#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// The module service keeps no records: only the common fields.
class ModuleSystemModel : public LYNCommon::ModelBase
{
public:
    ModuleSystemModel();
};

} // namespace LYNModels
