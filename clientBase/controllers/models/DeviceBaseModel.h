#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// Fields every device-like table shares.
class DeviceBaseModel : public LYNCommon::ModelBase
{
public:
    DeviceBaseModel();
};

} // namespace LYNModels
