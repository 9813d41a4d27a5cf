#include "controllers/models/ModuleSystemModel.h"

namespace LYNModels {

ModuleSystemModel::ModuleSystemModel() = default;

} // namespace LYNModels
