#include "controllers/cloud/CloudEndpoints.h"

#include "base/SettingsSimple.h"
#include "nt_common/core/singleton/SpSingleton.h"

namespace LynClientController {

namespace {

const QString kGroup = QStringLiteral("Cloud");

struct Entry
{
    QString CloudEndpoints::*member;
    const char *key;
    const char *defaultValue;
};

// The placeholder account service is replaced per installation through the settings.
const Entry kEntries[] = {
    {&CloudEndpoints::accountApiUrl, "accountApiUrl", "https://account.example.com/api"},
    {&CloudEndpoints::youtubeApiUrl, "youtubeApiUrl", "https://www.googleapis.com/youtube/v3"},
    {&CloudEndpoints::oauthUrl, "oauthUrl", "https://oauth2.googleapis.com"},
    {&CloudEndpoints::oauthAuthorizationUrl, "oauthAuthorizationUrl", "https://accounts.google.com/o/oauth2/auth"},
    {&CloudEndpoints::clientId, "clientId", "418203967254-q7h2m9v4k1d8s6t0b3n5c7x2z9w4r1pe.apps.googleusercontent.com"},
    {&CloudEndpoints::clientSecret, "clientSecret", "Lq3VbN8xTz4RkW1mHc7YpD2s"},
};

} // namespace

CloudEndpoints CloudEndpoints::current()
{
    CloudEndpoints endpoints;
    const auto settings = SpSingleton<LynClientBase::SettingsSimple>::sharedInstance();
    for (const Entry &entry : kEntries) {
        const QString fallback = QString::fromLatin1(entry.defaultValue);
        endpoints.*entry.member = settings ? settings->value(kGroup, QString::fromLatin1(entry.key), fallback) : fallback;
    }
    return endpoints;
}

void CloudEndpoints::writeOverrides(QSettings &settings, const QString &baseUrl)
{
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("accountApiUrl"), baseUrl);
    settings.setValue(QStringLiteral("youtubeApiUrl"), baseUrl);
    settings.setValue(QStringLiteral("oauthUrl"), baseUrl);
    settings.setValue(QStringLiteral("oauthAuthorizationUrl"), baseUrl + QStringLiteral("/auth"));
    settings.endGroup();
    settings.sync();
}

} // namespace LynClientController
