#include "client_base/base/HandleReceivedMessagesBase.h"

#include "nt_common/core/log/LogText.h"

#include <QDebug>

namespace P2pClientBase {

void HandleReceivedMessagesBase::handleMessage(QString, QString, std::shared_ptr<DTO>)
{
}

void HandleReceivedMessagesBase::onMessageReceived(std::shared_ptr<DTO> mapParams)
{
    if (!mapParams)
        return;
    command = mapParams->value(QStringLiteral("FN")).toString();
    const QStringList parts = command.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (parts.size() != 2) {
        qDebug().noquote() << "parsedCommand.size(): " << mapParams->size() << NtCommon::LogText::message(mapParams->toJson());
        qDebug().noquote() << QStringLiteral("%1 error command format command='%2'")
                                  .arg(QStringLiteral("HandleReceivedMessages::onMessageReceived"), NtCommon::LogText::untrusted(command));
        return;
    }
    receiver = parts.at(0);
    action = parts.at(1);
    handleMessage(receiver, action, mapParams);
}

} // namespace P2pClientBase
