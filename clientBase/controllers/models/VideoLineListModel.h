#pragma once

#include "controllers/models/ModelBase.h"

namespace LYNModels {

// One archive time line per device; filled by the screen.
class VideoLineListModel : public LYNCommon::ModelBase
{
public:
    VideoLineListModel();
};

} // namespace LYNModels
