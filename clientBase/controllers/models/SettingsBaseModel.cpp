#include "controllers/models/SettingsBaseModel.h"

namespace LYNModels {

SettingsBaseModel::SettingsBaseModel() = default;

} // namespace LYNModels
