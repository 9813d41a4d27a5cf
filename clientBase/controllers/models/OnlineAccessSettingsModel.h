#pragma once

#include "controllers/models/SettingsBaseModel.h"

namespace LYNModels {

// Remote access through the online service ("onlineAccessSettings").
class OnlineAccessSettingsModel : public SettingsBaseModel
{
public:
    OnlineAccessSettingsModel();
};

} // namespace LYNModels
