#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// The fixed list of device types for pickers.
class DeviceTypeModel : public LYNCommon::ModelBase
{
public:
    DeviceTypeModel();
};

} // namespace LYNModels
