#pragma once

#include "controllers/models/SettingsBaseModel.h"

namespace LYNModels {

// Messenger notification settings ("telegramSettings").
class TelegramSettingsModel : public SettingsBaseModel
{
public:
    TelegramSettingsModel();
};

} // namespace LYNModels
