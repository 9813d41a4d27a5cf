#pragma once

namespace LynClientController {

// Registers the controller-side types of the QML module "LYN" 1.0.
void registerLynTypes();

} // namespace LynClientController
