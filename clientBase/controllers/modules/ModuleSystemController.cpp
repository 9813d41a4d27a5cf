#include "controllers/modules/ModuleSystemController.h"

#include "controllers/models/ModuleSystemModel.h"

namespace LynClientController {

ModuleSystemController::ModuleSystemController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("moduleSystem");
    m_modelBase = QSharedPointer<LYNModels::ModuleSystemModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::moduleSystemMessage);
}

bool ModuleSystemController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (!isOwnAnswer(mapParams))
        return false;
    using Signal = void (ModuleSystemController::*)(QJsonObject);
    static const std::pair<QLatin1String, Signal> answers[] = {
        {QLatin1String("saModuleList"), &ModuleSystemController::saModuleList},
        {QLatin1String("saModuleOn"), &ModuleSystemController::saModuleOn},
        {QLatin1String("saModuleOff"), &ModuleSystemController::saModuleOff},
        {QLatin1String("saActiveModuleList"), &ModuleSystemController::saActiveModuleList},
        {QLatin1String("saGetParams"), &ModuleSystemController::saGetParams},
        {QLatin1String("saSetParams"), &ModuleSystemController::saSetParams},
    };
    for (const auto &answer : answers) {
        if (actionName == answer.first) {
            emit (this->*answer.second)(mapParams);
            return true;
        }
    }
    return false;
}

QJsonObject ModuleSystemController::trModuleList(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trModuleList"), mapParams);
}

QJsonObject ModuleSystemController::trActiveModuleList(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trActiveModuleList"), mapParams);
}

QJsonObject ModuleSystemController::trModuleOn(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trModuleOn"), mapParams);
}

QJsonObject ModuleSystemController::trModuleOff(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trModuleOff"), mapParams);
}

QJsonObject ModuleSystemController::trGetParams(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trGetParams"), mapParams);
}

QJsonObject ModuleSystemController::trSetParams(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trSetParams"), mapParams);
}

} // namespace LynClientController
