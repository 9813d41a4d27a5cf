#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// Base of the single-record settings tables.
class SettingsBaseModel : public LYNCommon::ModelBase
{
public:
    SettingsBaseModel();
};

} // namespace LYNModels
