#include "client_base/controller/auth/Auth.h"

namespace P2pClientController {

Auth::Auth(QObject *parent)
    : ControllerConsoleBase(parent)
{
    m_controllerName = QStringLiteral("auth");
    subscribe(&HandleReceivedMessagesP2pClient::authMessage);
}

void Auth::trAuth()
{
    auto message = std::make_shared<DTO>(DTO{{QStringLiteral("FN"), QStringLiteral("%1_trAuth").arg(m_controllerName)},
                                             {QStringLiteral("SID"), link()->pwd()}});
    emit link()->sendMessageSignal(message, true);
}

void Auth::trSignup()
{
    auto message = std::make_shared<DTO>(DTO{{QStringLiteral("FN"), QStringLiteral("%1_trSignup").arg(m_controllerName)}});
    emit link()->sendMessageSignal(message, true);
}

bool Auth::handleMessage(QString actionName, std::shared_ptr<DTO> dto)
{
    if (actionName == QLatin1String("saAuth")) {
        const QJsonValue res = dto->value(QStringLiteral("RES"));
        if (res.isDouble() && res.toDouble() == 10)
            emit saAuth(*dto);
        return true;
    }
    if (actionName == QLatin1String("saFailed")) {
        emit saFailed(*dto);
        return true;
    }
    if (actionName == QLatin1String("saSignup")) {
        emit saSignup(*dto);
        return true;
    }
    return false;
}

} // namespace P2pClientController
