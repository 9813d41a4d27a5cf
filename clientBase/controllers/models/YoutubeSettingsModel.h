#pragma once

#include "controllers/models/SettingsBaseModel.h"

namespace LYNModels {

// Streaming and event upload settings ("youtubeSettings").
class YoutubeSettingsModel : public SettingsBaseModel
{
public:
    YoutubeSettingsModel();
};

} // namespace LYNModels
