#include "client_base/controller/auth/Auth.h"

#include "nt_common/core/log/LogText.h"

#include <spdlog/spdlog.h>

#include <mutex>

namespace P2pClientController {

namespace {
// Process-wide: the instance that asks is not the one the window listens to.
// Every instance hears the same answer object, so the one accepted answer is
// recognised by its identity.
struct SignupState
{
    std::mutex mutex;
    bool outstanding = false;
    std::weak_ptr<DTO> accepted;
};

SignupState &signupState()
{
    static SignupState state;
    return state;
}
} // namespace

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
    {
        std::lock_guard<std::mutex> lock(signupState().mutex);
        signupState().outstanding = true;
    }
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
        if (acceptSignup(dto))
            emit saSignup(*dto);
        return true;
    }
    return false;
}

bool Auth::acceptSignup(const std::shared_ptr<DTO> &dto) const
{
    SignupState &state = signupState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.accepted.lock() == dto)
        return true;
    if (state.outstanding) {
        state.outstanding = false;
        state.accepted = dto;
        return true;
    }
    if (auto logger = spdlog::get(loggerName))
        logger->warn("Auth ignores a sign-up answer that no sign-up request asked for: '{}'",
                     NtCommon::LogText::message(dto->toJson(QJsonDocument::Compact)).toStdString());
    return false;
}

} // namespace P2pClientController
