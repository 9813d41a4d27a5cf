#pragma once

#include "controllers/base/ControllerDesktopBase.h"

#include <QJsonObject>

class QNetworkAccessManager;
class QNetworkReply;

namespace LynClientController {

// The account service: e-mail and password (sent only as a SHA-1 digest) give an
// authentication key, the key gives the user's YouTube tokens. Requests overlap
// freely; each answer comes back by signal with the caller's "_" keys.
class MainSiteApiController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit MainSiteApiController(QObject *parent = nullptr);

    Q_INVOKABLE void keyAuthRequest(QJsonObject mapParams);
    Q_INVOKABLE void youtubeTokensRequest(QJsonObject mapParams);
    // The service's account creation and token storage are not defined yet.
    Q_INVOKABLE void createAccountRequest();
    Q_INVOKABLE void setYoutubeTokensRequest(QJsonObject mapParams);

signals:
    void saKeyAuth(QJsonObject mapParams);
    void saYoutubeTokensRequest(QJsonObject mapParams);
    void saCreateAccount(QJsonObject mapParams);
    void saSetYoutubeTokens(QJsonObject mapParams);

private:
    void post(const QString &path, const QJsonObject &body, const QJsonObject &mapParams, const QString &signalName);
    void handleReply(QNetworkReply *reply, const QJsonObject &mapParams, const QString &signalName);
    void emitByName(const QString &signalName, const QJsonObject &result);

    QNetworkAccessManager *m_manager;
    QString m_baseUrl;
};

} // namespace LynClientController
