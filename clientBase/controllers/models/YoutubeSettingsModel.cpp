#include "controllers/models/YoutubeSettingsModel.h"

namespace LYNModels {

using LYNCommon::ModelBase;

YoutubeSettingsModel::YoutubeSettingsModel()
{
    addField(QStringLiteral("oauthParams"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""), QStringLiteral("Oauth2 params"));
    addField(QStringLiteral("isUploadEvents"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("Upload eventes"));
    addField(QStringLiteral("privacyType"), ModelBase::PropPlain, ModelBase::TypeInt, true, 1, QStringLiteral("Privacy type"));
    addField(QStringLiteral("isStreamDeviceOnYoutube"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("Camera source"));
    addField(QStringLiteral("rstIDStreamDevice"), ModelBase::PropPlain, ModelBase::TypeInt, false, -1, QStringLiteral("Camera to stream"));
    addField(QStringLiteral("serverURL"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral("rtmp://a.rtmp.youtube.com/live2"), QStringLiteral("Server URL"));
    addField(QStringLiteral("streamKey"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""), QStringLiteral("Stream key"));
    addField(QStringLiteral("isMakeStreamOnlyOnEvent"), ModelBase::PropPlain, ModelBase::TypeBool, false, false, QStringLiteral("Make stream only on event"));
    addField(QStringLiteral("channelName"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral("Undefined channel"));
    addField(QStringLiteral("access_token"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
    addField(QStringLiteral("refresh_token"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
    addField(QStringLiteral("utc_expired_date"), ModelBase::PropPlain, ModelBase::TypeText, false, QStringLiteral(""));
}

} // namespace LYNModels
