#include "base/HandleReceivedMessagesBase.h"

namespace LynClientBase {

void HandleReceivedMessagesBase::onMessageReceived(QJsonObject mapParams)
{
    ctl = mapParams.value(QStringLiteral("ctl")).toString();
    action = mapParams.value(QStringLiteral("action")).toString();
    handleMessage(ctl, action, mapParams);
}

} // namespace LynClientBase
