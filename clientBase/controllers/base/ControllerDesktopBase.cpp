#include "controllers/base/ControllerDesktopBase.h"

#include "nt_common/core/error/LocationTag.h"

#include <spdlog/spdlog.h>

namespace LynClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\clientBase\\controllers\\base\\ControllerDesktopBase");
const QString kDoNotClear = QStringLiteral("_do_not_clear_model");
} // namespace

ControllerDesktopBase::ControllerDesktopBase(QObject *parent)
    : ControllerItemBase(parent)
{
    m_schedule.relayTo(this);
}

bool ControllerDesktopBase::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerItemBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("saUpdate")) {
        const QJsonValue code = mapParams.value(QStringLiteral("ERRCODE"));
        if (mapParams.value(QStringLiteral("RES")).toString() != QLatin1String("OK") && code.isString()
            && code.toString() == QLatin1String("130"))
            removeRowOf(mapParams);
        emit saUpdate(mapParams);
        return true;
    }
    if (actionName == QLatin1String("saAdd")) {
        emit saAdd(mapParams);
        return true;
    }
    if (actionName == QLatin1String("saRem")) {
        emit saRem(mapParams);
        return true;
    }
    if (actionName == QLatin1String("saDuplicate")) {
        emit saDuplicate(mapParams);
        return true;
    }
    if (actionName == QLatin1String("srUpdated")) {
        if (!m_ignoreSrUpdated) {
            m_lastSrUpdated = mapParams;
            srUpdatedPure();
        }
        return true;
    }
    if (actionName == QLatin1String("srInserted")) {
        if (!m_ignoreSrInserted && m_useTrQuery) {
            m_lastSrInserted = mapParams;
            srInsertedPure();
        }
        return true;
    }
    return false;
}

QJsonObject ControllerDesktopBase::trAdd(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trAdd"), mapParams);
}

QJsonObject ControllerDesktopBase::trUpdate(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trUpdate"), mapParams);
}

QJsonObject ControllerDesktopBase::trRem(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trRem"), mapParams);
}

QJsonObject ControllerDesktopBase::trDuplicate(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trDuplicate"), mapParams);
}

void ControllerDesktopBase::insertParam4trQuery(QString key, QVariant value)
{
    m_queryParams.insert(key, QJsonValue::fromVariant(value));
}

void ControllerDesktopBase::onAutoUpdateTimerTimeout()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientController::ControllerDesktopBase::onAutoUpdateTimerTimeout"));
    try {
        // A copy: the stored query keeps its own keys, and a notification's _request does not go out again.
        QJsonObject params = m_queryParams;
        params.insert(kDoNotClear, true);
        params.remove(QStringLiteral("_request"));
        const QJsonObject data = newerThanHeld(m_queryData);
        NtCommon::RefreshSchedule::withFlagOn(m_useTrQuery, [&] { trQuery(params, data, m_queryHints); });
    } catch (const std::exception &e) {
        if (auto log = spdlog::get("main"))
            log->error(NtCommon::LocationTag::exceptionText(tag, e).toStdString());
    }
}

void ControllerDesktopBase::srUpdatedPure()
{
    if (!m_useTrQuery)
        return;
    refreshAfterNotification(QStringLiteral("srUpdated"));
    emit srUpdated(m_lastSrUpdated);
}

void ControllerDesktopBase::srInsertedPure()
{
    if (!m_useTrQuery)
        return;
    refreshAfterNotification(QStringLiteral("srInserted"));
    emit srInserted(m_lastSrInserted);
}

void ControllerDesktopBase::refreshAfterNotification(const QString &request)
{
    m_queryParams.insert(kDoNotClear, true);
    m_queryParams.insert(QStringLiteral("_request"), request);
    m_queryData = newerThanHeld(m_queryData);
    trQuery(m_queryParams, m_queryData, m_queryHints);
}

QJsonObject ControllerDesktopBase::newerThanHeld(QJsonObject data) const
{
    const qint64 newest = m_originalModel ? m_originalModel->getMaxDtUtcLastUpdate() : 0;
    data.insert(QStringLiteral("dtUpdate"), QJsonObject{{QStringLiteral("$gte"), newest + 1}});
    return data;
}

} // namespace LynClientController
