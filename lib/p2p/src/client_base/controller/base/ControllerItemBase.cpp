#include "client_base/controller/base/ControllerItemBase.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/model/TableAnswer.h"

#include <spdlog/spdlog.h>

#include <iostream>

namespace P2pClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\client_base\\controller\\base\\ControllerItemBase");
} // namespace

ControllerItemBase::ControllerItemBase(QQuickItem *parent)
    : QQuickItem(parent)
{
    connect(this, &ControllerItemBase::sortRowsThread, this, [this](QString role, int order) {
        if (m_proxyModel)
            m_proxyModel->sortRows(role, static_cast<Qt::SortOrder>(order));
    }, Qt::QueuedConnection);
    connect(this, &ControllerItemBase::setFilterPatternThread, this, [this](QString filterPattern) {
        if (m_proxyModel)
            m_proxyModel->setFilterPattern(filterPattern);
    }, Qt::QueuedConnection);
}

bool ControllerItemBase::handleMessage(QString actionName, std::shared_ptr<DTO> dto)
{
    if (ControllerBase::handleMessage(actionName, dto))
        return true;
    if (actionName == QLatin1String("saGetList")) {
        handleSaGetList(*dto);
        return true;
    }
    if (actionName == QLatin1String("saListInfo")) {
        emit saListInfo(*dto);
        return true;
    }
    if (actionName == QLatin1String("saInfo")) {
        if (isNumber(dto->value(QStringLiteral("RES")), 0) && isNumber(dto->value(QStringLiteral("ERRCODE")), 110))
            removeRowOf(*dto);
        emit saInfo(*dto);
        return true;
    }
    return false;
}

void ControllerItemBase::clearParam4trGetList()
{
    m_getListParams = DTO();
}

void ControllerItemBase::trInfo(DTO &mapParams)
{
    sendCommand(m_controllerName + QStringLiteral("_trInfo"), mapParams);
}

void ControllerItemBase::trGetList(DTO &mapParams, bool check_so)
{
    if (check_so && !m_useTrGetList)
        return;
    m_getListParams = mapParams;
    sendCommand(m_controllerName + QStringLiteral("_trGetList"), mapParams);
}

void ControllerItemBase::trGetList(DTO &mapParams)
{
    trGetList(mapParams, true);
}

void ControllerItemBase::trInfo(QJsonObject mapParams)
{
    DTO message(mapParams);
    trInfo(message);
}

void ControllerItemBase::trGetList(QJsonObject mapParams)
{
    DTO message(mapParams);
    trGetList(message);
}

void ControllerItemBase::sendBufferCmd(bool block4write)
{
    ControllerBase::sendBufferCmd(block4write);
}

void ControllerItemBase::sendBufferCmd()
{
    ControllerBase::sendBufferCmd(false);
}

void ControllerItemBase::onBufferCmd()
{
    ControllerBase::onBufferCmd();
}

void ControllerItemBase::offBufferCmd()
{
    ControllerBase::offBufferCmd();
}

QVariant ControllerItemBase::defaultFieldValue(QString field_name) const
{
    if (!m_originalModel || !m_originalModel->modelBase())
        return QVariant();
    return m_originalModel->modelBase()->getFieldDescr(field_name).defaultValue;
}

void ControllerItemBase::sortRows(QString role, Qt::SortOrder order)
{
    if (m_useThread)
        emit sortRowsThread(role, order);
    else if (m_proxyModel)
        m_proxyModel->sortRows(role, order);
}

void ControllerItemBase::setFilterPattern(QString filterPattern)
{
    if (m_useThread)
        emit setFilterPatternThread(filterPattern);
    else if (m_proxyModel)
        m_proxyModel->setFilterPattern(filterPattern);
}

bool ControllerItemBase::useThread() const
{
    return m_useThread;
}

void ControllerItemBase::setUseThread(bool value)
{
    if (value == m_useThread)
        return;
    m_useThread = value;
    emit useThreadChanged(value);
}

DTO ControllerItemBase::getListParams() const
{
    return m_getListParams;
}

void ControllerItemBase::onMessageReceived(QString actionName, std::shared_ptr<DTO> mapParams)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientController::ControllerItemBase::onMessageReceived"));
    if (!mapParams)
        return;
    try {
        handleMessage(actionName, mapParams);
    } catch (const std::exception &e) {
        if (auto log = spdlog::get("main"))
            log->error(NtCommon::LocationTag::p2pExceptionText(tag, e).toStdString());
    } catch (...) {
        std::cerr << NtCommon::LocationTag::undefinedExceptionText(tag).toStdString() << std::endl;
    }
}

qint64 ControllerItemBase::helperReceiverId() const
{
    return m_receiverId;
}

void ControllerItemBase::emitSaGetList(const DTO &message)
{
    emit saGetList(message);
}

void ControllerItemBase::setupModels(const QSharedPointer<ModelBase> &description)
{
    auto *model = new OriginalModel(this);
    model->setModelBase(description);
    attachOriginalModel(model);
    attachProxyModel(new ProxyModel(this));
}

void ControllerItemBase::subscribe(void (HandleReceivedMessagesP2pClient::*signal)(QString, std::shared_ptr<DTO>))
{
    connect(dispatcher(), signal, this, &ControllerItemBase::onMessageReceived);
}

} // namespace P2pClientController
