#include "controllers/LynTypes.h"

#include "controllers/AppController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/cloud/MainSiteApiController.h"
#include "controllers/cloud/YoutubeApiController.h"

#include <QtQml>

namespace LynClientController {

void registerLynTypes()
{
    const char *uri = "LYN";
    qmlRegisterType<OriginalModel>(uri, 1, 0, "OriginalModel");
    qmlRegisterType<ProxyModel>(uri, 1, 0, "ProxyModel");
    qmlRegisterType<AppController>(uri, 1, 0, "AppController");
    qmlRegisterType<MainSiteApiController>(uri, 1, 0, "MainSiteApiController");
    qmlRegisterType<YoutubeApiController>(uri, 1, 0, "YoutubeApiController");
}

} // namespace LynClientController
