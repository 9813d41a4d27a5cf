#include "controllers/base/ControllerItemBase.h"

#include "base/LynClientNetwork.h"
#include "nt_common/core/error/ErrorDescription.h"
#include "nt_common/core/error/LocationTag.h"
#include "nt_common/model/TableAnswer.h"

#include <spdlog/spdlog.h>

namespace LynClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\clientBase\\controllers\\base\\ControllerItemBase");
const QString kOk = QStringLiteral("OK");
} // namespace

ControllerItemBase::ControllerItemBase(QObject *parent)
    : QObject(parent)
{
}

bool ControllerItemBase::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("saQuery")) {
        handleSaQuery(mapParams);
        return true;
    }
    if (actionName == QLatin1String("saInfo")) {
        const QJsonValue code = mapParams.value(QStringLiteral("ERRCODE"));
        if (mapParams.value(QStringLiteral("status")).toString() != kOk && code.isString() && code.toString() == QLatin1String("110"))
            removeRowOf(mapParams);
        emit saInfo(mapParams);
        return true;
    }
    return false;
}

void ControllerItemBase::clearParam4trQuery()
{
    m_queryParams = QJsonObject();
    m_queryData = QJsonObject();
    m_queryHints = QJsonObject();
}

QJsonObject ControllerItemBase::trInfo(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trInfo"), mapParams);
}

QJsonObject ControllerItemBase::trQuery(QJsonObject mapParams, QJsonObject data, QJsonObject hints)
{
    if (!m_useTrQuery)
        return QJsonObject();
    m_queryParams = mapParams;
    m_queryData = data;
    m_queryHints = hints;
    QJsonObject message = mapParams;
    message.insert(QStringLiteral("data"), data);
    message.insert(QStringLiteral("hints"), hints);
    m_querySent = true;
    return sendAction(QStringLiteral("trQuery"), message);
}

void ControllerItemBase::requeryAfterConnecting()
{
    if (!m_querySent)
        return;
    // Without the marks of an incremental refresh, so that the answer replaces the rows.
    QJsonObject params = m_queryParams;
    params.remove(QStringLiteral("_do_not_clear_model"));
    params.remove(QStringLiteral("_request"));
    QJsonObject data = m_queryData;
    if (data.value(QStringLiteral("dtUpdate")).toObject().contains(QStringLiteral("$gte")))
        data.remove(QStringLiteral("dtUpdate"));
    trQuery(params, data, m_queryHints);
}

QJsonObject ControllerItemBase::getMapParamsFromTrQuery() const
{
    return m_queryParams;
}

QVariant ControllerItemBase::defaultFieldValue(QString field_name) const
{
    return m_modelBase ? m_modelBase->getFieldDescr(field_name).defaultValue : QVariant();
}

void ControllerItemBase::onMessageReceived(QString actionName, QJsonObject mapParams)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientController::ControllerItemBase::onMessageReceived"));
    try {
        preDispatch(mapParams);
        handleMessage(actionName, mapParams);
    } catch (const std::exception &e) {
        if (auto log = spdlog::get("main"))
            log->error(NtCommon::LocationTag::exceptionText(tag, e).toStdString());
    }
}

void ControllerItemBase::handleSaQuery(const QJsonObject &mapParams)
{
    const bool own = isOwnAnswer(mapParams);
    {
        // The screens feed the records while the signal is handled; they merge as one batch.
        NtCommon::TableAnswer answer(m_originalModel, !m_isStaticModel && own && !mapParams.contains(QStringLiteral("_do_not_clear_model")));
        emit saQuery(mapParams);
    }
    if (m_isStaticModel || own)
        NtCommon::TableAnswer::finish(m_originalModel, m_proxyModel);
}

void ControllerItemBase::preDispatch(QJsonObject &)
{
}

void ControllerItemBase::connectRouter(void (LynClientBase::HandleRecievedMessages::*signal)(QString, QJsonObject))
{
    auto *router = qobject_cast<LynClientBase::HandleRecievedMessages *>(
        LynClientBase::LynClientNetwork::controllersLink()->messageHandler().data());
    if (!router)
        NtCommon::ErrorDescription::raise(QStringLiteral("ControllerItemBase::connectRouter"), __LINE__,
                                          QStringLiteral("The server link's router is not a HandleRecievedMessages"));
    connect(router, signal, this, &ControllerItemBase::onMessageReceived);
    connect(LynClientBase::LynClientNetwork::controllersLink().data(), &LynClientBase::LynClientNetworkBase::amountConnectedChanged, this,
            &ControllerItemBase::requeryAfterConnecting);
}

bool ControllerItemBase::isOwnAnswer(const QJsonObject &mapParams) const
{
    return mapParams.value(QStringLiteral("_receiver")).toVariant().toString() == m_objectNumber;
}

void ControllerItemBase::removeRowOf(const QJsonObject &mapParams)
{
    NtCommon::TableAnswer::removeRecord(m_originalModel, mapParams.value(QStringLiteral("rowID")).toVariant());
}

} // namespace LynClientController
