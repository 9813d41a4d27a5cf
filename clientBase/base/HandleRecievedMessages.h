#pragma once

#include "base/HandleReceivedMessagesBase.h"

namespace LynClientBase {

// Routes a server message to the signal of its "ctl"; controllers of that name
// listen there. Names not in the table are dropped.
class HandleRecievedMessages : public HandleReceivedMessagesBase
{
    Q_OBJECT
public:
    using HandleReceivedMessagesBase::HandleReceivedMessagesBase;

    void handleMessage(QString ctl, QString action, QJsonObject mapParams) override;

signals:
    void camMessage(QString action, QJsonObject mapParams);
    void eventsMessage(QString action, QJsonObject mapParams);
    void searchDevicesMessage(QString action, QJsonObject mapParams);
    void youtubeSettingsMessage(QString action, QJsonObject mapParams);
    void telegramSettingsMessage(QString action, QJsonObject mapParams);
    void archiveMessage(QString action, QJsonObject mapParams);
    void onlineAccessSettingsMessage(QString action, QJsonObject mapParams);
    void archivePlayerMessage(QString action, QJsonObject mapParams);
    void devicePasswordMessage(QString action, QJsonObject mapParams);
    void moduleSystemMessage(QString action, QJsonObject mapParams);
};

} // namespace LynClientBase
