#include "client_base/controller/base/ControllerDesktopBase.h"

#include "nt_common/core/error/LocationTag.h"

#include <spdlog/spdlog.h>

#include <iostream>

namespace P2pClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\client_base\\controller\\base\\ControllerDesktopBase");
const QString kLockField = QStringLiteral("rst_id_user_locked");
} // namespace

ControllerDesktopBase::ControllerDesktopBase(QQuickItem *parent)
    : ControllerItemBase(parent)
    , m_srUpdatedThrottle([this] { reportFailure("srUpdatedPure", [this] { srUpdatedPure(); }); }, kThrottleMs)
    , m_srInsertedThrottle([this] { reportFailure("srInsertedPure", [this] { srInsertedPure(); }); }, kThrottleMs)
{
    m_schedule.relayTo(this);
}

bool ControllerDesktopBase::handleMessage(QString actionName, std::shared_ptr<DTO> dto)
{
    if (ControllerItemBase::handleMessage(actionName, dto))
        return true;
    const DTO &message = *dto;
    const QJsonValue res = message.value(QStringLiteral("RES"));
    const QJsonValue errCode = message.value(QStringLiteral("ERRCODE"));
    if (actionName == QLatin1String("saUpdate")) {
        if (isNumber(res, 0) && isNumber(errCode, 130))
            removeRowOf(message);
        emit saUpdate(message);
    } else if (actionName == QLatin1String("saRemove")) {
        if (isNumber(res, 10) || (isNumber(res, 0) && isNumber(errCode, 110)))
            removeRowOf(message);
        emit saRemove(message);
    } else if (actionName == QLatin1String("saNew")) {
        emit saNew(message);
    } else if (actionName == QLatin1String("saDuplicate")) {
        emit saDuplicate(message);
    } else if (actionName == QLatin1String("saLock")) {
        applyLockOwner(message, valueText(message.value(kLockField)));
        emit saLock(message);
    } else if (actionName == QLatin1String("saUnlock")) {
        applyLockOwner(message, QStringLiteral("1"));
        emit saUnlock(message);
    } else if (actionName == QLatin1String("srUpdated")) {
        m_lastSrUpdated = message;
        m_srUpdatedThrottle.trigger();
    } else if (actionName == QLatin1String("srInserted")) {
        m_lastSrInserted = message;
        m_srInsertedThrottle.trigger();
    } else {
        return false;
    }
    return true;
}

void ControllerDesktopBase::trNew(DTO &mapParams)
{
    send(QStringLiteral("trNew"), mapParams);
}

void ControllerDesktopBase::trUpdate(DTO &mapParams)
{
    send(QStringLiteral("trUpdate"), mapParams);
}

void ControllerDesktopBase::trRemove(DTO &mapParams)
{
    send(QStringLiteral("trRemove"), mapParams);
}

void ControllerDesktopBase::trDuplicate(DTO &mapParams)
{
    send(QStringLiteral("trDuplicate"), mapParams);
}

void ControllerDesktopBase::trLock(DTO &mapParams)
{
    send(QStringLiteral("trLock"), mapParams);
}

void ControllerDesktopBase::trUnlock(DTO &mapParams)
{
    send(QStringLiteral("trUnlock"), mapParams);
}

void ControllerDesktopBase::trNew(QJsonObject mapParams)
{
    send(QStringLiteral("trNew"), DTO(mapParams));
}

void ControllerDesktopBase::trUpdate(QJsonObject mapParams)
{
    send(QStringLiteral("trUpdate"), DTO(mapParams));
}

void ControllerDesktopBase::trRemove(QJsonObject mapParams)
{
    send(QStringLiteral("trRemove"), DTO(mapParams));
}

void ControllerDesktopBase::trDuplicate(QJsonObject mapParams)
{
    send(QStringLiteral("trDuplicate"), DTO(mapParams));
}

void ControllerDesktopBase::trLock(QJsonObject mapParams)
{
    send(QStringLiteral("trLock"), DTO(mapParams));
}

void ControllerDesktopBase::trUnlock(QJsonObject mapParams)
{
    send(QStringLiteral("trUnlock"), DTO(mapParams));
}

void ControllerDesktopBase::insertParam4trGetList(QString key, QVariant value)
{
    m_getListParams.insert(key, QJsonValue::fromVariant(value));
}

void ControllerDesktopBase::onAutoUpdateTimerTimeout()
{
    reportFailure("onAutoUpdateTimerTimeout", [this] {
        DTO query = refreshQuery();
        NtCommon::RefreshSchedule::withFlagOn(m_useTrGetList, [&] { trGetList(query); });
    });
}

void ControllerDesktopBase::srUpdatedPure()
{
    if (!m_useTrGetList)
        return;
    DTO query = refreshQuery();
    trGetList(query);
    emit srUpdated(m_lastSrUpdated);
}

void ControllerDesktopBase::srInsertedPure()
{
    if (!m_useTrGetList)
        return;
    DTO query = refreshQuery();
    trGetList(query);
    emit srInserted(m_lastSrInserted);
}

void ControllerDesktopBase::send(const QString &action, const DTO &mapParams)
{
    sendCommand(m_controllerName + QLatin1Char('_') + action, mapParams);
}

DTO ControllerDesktopBase::refreshQuery() const
{
    DTO query = m_getListParams;
    const qint64 newest = m_originalModel ? m_originalModel->getMaxDtUtcLastUpdate() : 0;
    query.insert(QStringLiteral("dtUpdate"), newest + 1);
    query.insert(QStringLiteral("_do_not_clear_model"), QStringLiteral("1"));
    query.remove(QStringLiteral("_request"));
    return query;
}

void ControllerDesktopBase::applyLockOwner(const DTO &message, const QVariant &owner)
{
    if (m_originalModel)
        m_originalModel->updateValue(valueText(message.value(QStringLiteral("id"))), kLockField, owner, true);
}

void ControllerDesktopBase::reportFailure(const char *function, const std::function<void()> &step)
{
    const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientController::ControllerDesktopBase::") + QLatin1String(function));
    try {
        step();
    } catch (const std::exception &e) {
        if (auto log = spdlog::get("main"))
            log->error(NtCommon::LocationTag::p2pExceptionText(tag, e).toStdString());
    } catch (...) {
        std::cerr << NtCommon::LocationTag::undefinedExceptionText(tag).toStdString() << std::endl;
    }
}

} // namespace P2pClientController
