#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// Recorded pieces of video per device ("archive").
class ArchiveModel : public LYNCommon::ModelBase
{
public:
    ArchiveModel();
};

} // namespace LYNModels
