#pragma once

#include "controllers/base/ControllerDesktopBase.h"
#include "controllers/cloud/CloudEndpoints.h"

#include <QJsonObject>

class QNetworkAccessManager;
class QNetworkReply;

namespace LynClientController {

// The user's channels from the YouTube Data API, refreshing an expired access
// token on the way. Calls are synchronous for QML: each waits in a local event
// loop, so the interface keeps running (and may re-enter) meanwhile.
class YoutubeApiController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit YoutubeApiController(QObject *parent = nullptr);

    Q_INVOKABLE QJsonObject channelListSimpleRequest(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject channelListRequest(QJsonObject mapParams, int amountTry);
    Q_INVOKABLE QJsonObject channelListRequest(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject refreshAccessTokenRequest(QJsonObject mapParams, int amountTry);
    Q_INVOKABLE QJsonObject refreshAccessTokenRequest(QJsonObject mapParams);

private:
    static void markFailedFormat(QJsonObject &result, const QNetworkReply &reply);

    QNetworkAccessManager *m_manager;
    CloudEndpoints m_endpoints;
};

} // namespace LynClientController
