#pragma once

#include "controllers/models/DeviceBaseModel.h"

namespace LYNModels {

// Cameras found on the network ("searchDevices").
class SearchDevicesModel : public DeviceBaseModel
{
public:
    SearchDevicesModel();
};

} // namespace LYNModels
