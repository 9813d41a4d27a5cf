#include "client_base/controller/relay/SingleTcpRelayBaseController.h"

#include "nt_common/core/error/LocationTag.h"

#include <spdlog/spdlog.h>

#include <iostream>

namespace P2pClientController {

SingleTcpRelayBaseController::SingleTcpRelayBaseController(QObject *parent)
    : ControllerConsoleBase(parent)
{
    m_controllerName = QStringLiteral("singleTcpRelay");
    subscribe(&HandleReceivedMessagesP2pClient::singleTcpRelayMessage);
}

void SingleTcpRelayBaseController::trSendRequest(QJsonObject mapParams)
{
    static const QString tag = NtCommon::LocationTag::make(
        QStringLiteral("..\\src\\client_base\\controller\\releay\\SingleTcpRelayBaseController"),
        QStringLiteral("P2pClientController::SingleTcpRelayBaseController::trSendRequest"));
    try {
        QJsonObject message = mapParams;
        message.insert(QStringLiteral("remoteSign"), link()->remoteSign());
        sendCommand(m_controllerName + QStringLiteral("_trSendRequest"), message);
    } catch (const std::exception &e) {
        if (auto logger = spdlog::get(loggerName))
            logger->error(NtCommon::LocationTag::p2pExceptionText(tag, e).toStdString());
    } catch (...) {
        std::cerr << NtCommon::LocationTag::undefinedExceptionText(tag).toStdString() << std::endl;
    }
}

bool SingleTcpRelayBaseController::handleMessage(QString actionName, std::shared_ptr<DTO> dto)
{
    if (actionName == QLatin1String("srSendRequest")) {
        emit srSendRequest(*dto);
        return true;
    }
    if (actionName == QLatin1String("saSendRequest")) {
        emit saSendRequest(*dto);
        return true;
    }
    return false;
}

} // namespace P2pClientController
