#pragma once

#include <QString>

class QSettings;

namespace LynClientController {

// Where the cloud controllers send their requests, and the application's OAuth
// client. The compiled-in values are the real services; each can be overridden
// in group "Cloud" of main.conf, so that a test or a demo points the client at
// local stand-ins. The settings are read when a controller is created.
struct CloudEndpoints
{
    QString accountApiUrl;
    QString youtubeApiUrl;
    QString oauthUrl;
    QString oauthAuthorizationUrl;
    QString clientId;
    QString clientSecret;

    static CloudEndpoints current();

    // Points every service at one base URL (a stand-in serving all paths).
    static void writeOverrides(QSettings &settings, const QString &baseUrl);
};

} // namespace LynClientController
