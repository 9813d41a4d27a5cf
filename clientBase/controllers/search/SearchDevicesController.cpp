#include "controllers/search/SearchDevicesController.h"

#include "common/Utils.h"
#include "controllers/models/SearchDevicesModel.h"

#include <QJsonArray>

namespace LynClientController {

namespace {
const QString kRecords = QStringLiteral("records");
const QString kRecord = QStringLiteral("record");
const QString kSource = QStringLiteral("source");
const QString kCamType = QStringLiteral("camType");
constexpr int kUsbCamera = 3;
} // namespace

SearchDevicesController::SearchDevicesController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("searchDevices");
    m_modelBase = QSharedPointer<LYNModels::SearchDevicesModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::searchDevicesMessage);
}

bool SearchDevicesController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("saSearch")) {
        emit saSearch(mapParams);
        return true;
    }
    if (actionName == QLatin1String("saTryGetRtspByIP")) {
        emit saTryGetRtspByIP(mapParams);
        return true;
    }
    return false;
}

QJsonObject SearchDevicesController::trSearch(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trSearch"), mapParams);
}

QJsonObject SearchDevicesController::trTryGetRtspByIP(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trTryGetRtspByIP"), mapParams);
}

QJsonObject SearchDevicesController::parseUrl(QString url) const
{
    return LYNCommon::Utils().parseUrl(url);
}

QJsonObject SearchDevicesController::enrichRecord(QJsonObject record)
{
    if (record.contains(kSource) && record.contains(kCamType)
        && record.value(kCamType).toVariant().toInt() != kUsbCamera) {
        const LYNCommon::Utils utils;
        const QJsonObject parts = utils.parseUrl(record.value(kSource).toString());
        record.insert(QStringLiteral("login"), parts.value(QStringLiteral("LOGIN")).toString());
        record.insert(QStringLiteral("password"), parts.value(QStringLiteral("PASSWORD")).toString());
        record.insert(QStringLiteral("ip"), parts.value(QStringLiteral("IP")).toString());
    }
    record.insert(QStringLiteral("isAdd"), record.value(QStringLiteral("isNew")).toVariant().toBool());
    return record;
}

void SearchDevicesController::preDispatch(QJsonObject &mapParams)
{
    const QJsonValue records = mapParams.value(kRecords);
    if (records.isArray()) {
        QJsonArray enriched;
        for (const QJsonValue &record : records.toArray())
            enriched.append(record.isObject() ? QJsonValue(enrichRecord(record.toObject())) : record);
        mapParams.insert(kRecords, enriched);
    } else if (mapParams.value(kRecord).isObject()) {
        mapParams.insert(kRecord, enrichRecord(mapParams.value(kRecord).toObject()));
    }
}

} // namespace LynClientController
