#include "controllers/LynTypes.h"

#include "controllers/AppController.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/archive/ArchivePlayerController.h"
#include "controllers/archive/TimeLineSegments.h"
#include "controllers/archive/VideoLineListController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/cloud/MainSiteApiController.h"
#include "controllers/cloud/YoutubeApiController.h"
#include "controllers/device/DeviceController.h"
#include "controllers/device/DeviceTypeController.h"
#include "controllers/modules/ModuleSystemController.h"
#include "controllers/search/DevicePasswordController.h"
#include "controllers/search/SearchDevicesController.h"
#include "controllers/settings/OnlineAccessSettingsController.h"
#include "controllers/settings/PrivateYoutubeTypeController.h"
#include "controllers/settings/TelegramSettingsController.h"
#include "controllers/settings/YoutubeSettingsController.h"

#include <QtQml>

namespace LynClientController {

void registerLynTypes()
{
    const char *uri = "LYN";
    qmlRegisterType<OriginalModel>(uri, 1, 0, "OriginalModel");
    qmlRegisterType<ProxyModel>(uri, 1, 0, "ProxyModel");
    qmlRegisterType<AppController>(uri, 1, 0, "AppController");
    qmlRegisterType<DeviceController>(uri, 1, 0, "DeviceController");
    qmlRegisterType<ArchiveController>(uri, 1, 0, "ArchiveController");
    qmlRegisterType<DeviceTypeController>(uri, 1, 0, "DeviceTypeController");
    qmlRegisterType<ArchivePlayerController>(uri, 1, 0, "ArchivePlayerController");
    qmlRegisterType<VideoLineListController>(uri, 1, 0, "VideoLineListController");
    qmlRegisterType<TimeLineSegments>(uri, 1, 0, "TimeLineSegments");
    qmlRegisterType<SearchDevicesController>(uri, 1, 0, "SearchDevicesController");
    qmlRegisterType<YoutubeSettingsController>(uri, 1, 0, "YoutubeSettingsController");
    qmlRegisterType<PrivateYoutubeTypeController>(uri, 1, 0, "PrivateYoutubeTypeController");
    qmlRegisterType<OnlineAccessSettingsController>(uri, 1, 0, "OnlineAccessSettingsController");
    qmlRegisterType<MainSiteApiController>(uri, 1, 0, "MainSiteApiController");
    qmlRegisterType<YoutubeApiController>(uri, 1, 0, "YoutubeApiController");
    qmlRegisterType<DevicePasswordController>(uri, 1, 0, "DevicePasswordController");
    qmlRegisterType<TelegramSettingsController>(uri, 1, 0, "TelegramSettingsController");
    qmlRegisterType<ModuleSystemController>(uri, 1, 0, "ModuleSystemController");
}

} // namespace LynClientController
