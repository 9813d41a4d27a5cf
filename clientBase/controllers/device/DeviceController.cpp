#include "controllers/device/DeviceController.h"

#include "controllers/common/SdpFile.h"
#include "controllers/common/SharedOriginalModel.h"
#include "controllers/models/DeviceModel.h"
#include "nt_common/core/error/LocationTag.h"

namespace LynClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\clientBase\\controllers\\device\\DeviceController");
}

DeviceController::DeviceController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("cam");
    m_isStaticModel = true;
    OriginalModel *model = sharedOriginalModel<DeviceController, LYNModels::DeviceModel>();
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::camMessage);
}

bool DeviceController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("srRectText")) {
        emit srRectText(mapParams);
        return true;
    }
    if (actionName == QLatin1String("srRectTextSub")) {
        emit srRectTextSub(mapParams);
        return true;
    }
    return false;
}

QJsonObject DeviceController::trInitP2PChannel(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trInitP2PChannel"), mapParams);
}

QJsonObject DeviceController::trRestartCamera(QJsonObject mapParams)
{
    return sendAction(QStringLiteral("trRestartCamera"), mapParams);
}

QString DeviceController::createSDPFile(QJsonObject entry)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientController::DeviceController::createSDPFile"));
    return SdpFile::write(QStringLiteral("sdp"), entry.value(QStringLiteral("rowID")), SdpFile::NameKind::WholeNumber, entry, tag);
}

} // namespace LynClientController
