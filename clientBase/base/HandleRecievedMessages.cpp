#include "base/HandleRecievedMessages.h"

namespace LynClientBase {

void HandleRecievedMessages::handleMessage(QString ctl, QString action, QJsonObject mapParams)
{
    using Signal = void (HandleRecievedMessages::*)(QString, QJsonObject);
    struct Route
    {
        const char *ctl;
        Signal signal;
    };
    static const Route routes[] = {
        {"cam", &HandleRecievedMessages::camMessage},
        {"events", &HandleRecievedMessages::eventsMessage},
        {"searchDevices", &HandleRecievedMessages::searchDevicesMessage},
        {"youtubeSettings", &HandleRecievedMessages::youtubeSettingsMessage},
        {"telegramSettings", &HandleRecievedMessages::telegramSettingsMessage},
        {"archive", &HandleRecievedMessages::archiveMessage},
        {"onlineAccessSettings", &HandleRecievedMessages::onlineAccessSettingsMessage},
        {"archivePlayer", &HandleRecievedMessages::archivePlayerMessage},
        {"devicePassword", &HandleRecievedMessages::devicePasswordMessage},
        {"moduleSystem", &HandleRecievedMessages::moduleSystemMessage},
    };
    for (const Route &route : routes) {
        if (ctl == QLatin1String(route.ctl)) {
            emit(this->*route.signal)(action, mapParams);
            return;
        }
    }
}

} // namespace LynClientBase
