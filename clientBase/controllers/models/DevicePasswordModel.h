#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// Login/password pairs the server tries on cameras.
class DevicePasswordModel : public LYNCommon::ModelBase
{
public:
    DevicePasswordModel();
};

} // namespace LYNModels
