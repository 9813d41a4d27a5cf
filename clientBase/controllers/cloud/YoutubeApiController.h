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
    // For the sign-in page, which asks for an authorization code and exchanges it.
    Q_PROPERTY(QString authorizationUrl READ authorizationUrl CONSTANT)
    Q_PROPERTY(QString tokenUrl READ tokenUrl CONSTANT)
    Q_PROPERTY(QString clientId READ clientId CONSTANT)
    Q_PROPERTY(QString clientSecret READ clientSecret CONSTANT)
public:
    explicit YoutubeApiController(QObject *parent = nullptr);

    Q_INVOKABLE QJsonObject channelListSimpleRequest(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject channelListRequest(QJsonObject mapParams, int amountTry);
    Q_INVOKABLE QJsonObject channelListRequest(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject refreshAccessTokenRequest(QJsonObject mapParams, int amountTry);
    Q_INVOKABLE QJsonObject refreshAccessTokenRequest(QJsonObject mapParams);

    QString authorizationUrl() const;
    QString tokenUrl() const;
    QString clientId() const;
    QString clientSecret() const;

private:
    static void markFailedFormat(QJsonObject &result, const QNetworkReply &reply);

    QNetworkAccessManager *m_manager;
    CloudEndpoints m_endpoints;
};

} // namespace LynClientController
