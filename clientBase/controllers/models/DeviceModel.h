#pragma once

#include "controllers/models/DeviceBaseModel.h"

namespace LYNModels {

// The device table ("cam").
class DeviceModel : public DeviceBaseModel
{
public:
    DeviceModel();
};

} // namespace LYNModels
