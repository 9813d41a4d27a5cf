#pragma once

#include "client_base/controller/base/ControllerBase.h"
#include "client_base/controller/helper/HandlerSaGetListClientControllerItemHelper.h"
#include "nt_common/model/RecordController.h"

#include <QJsonObject>
#include <QQuickItem>
#include <QVariant>

namespace P2pClientController {

// A table controller of the P2P link as a QML item: list and info requests,
// the record model and proxy the list answers fill.
class ControllerItemBase : public QQuickItem,
                           public ControllerBase,
                           public ClientControllerHelper::HandlerSaGetListClientControllerItemHelper
{
    Q_OBJECT
    NT_RECORD_CONTROLLER(P2pClientController::OriginalModel, P2pClientController::ProxyModel)
    Q_PROPERTY(qlonglong objectNumber READ objectNumber CONSTANT)
    Q_PROPERTY(bool useTrGetList READ useTrGetList WRITE setUseTrGetList)
    Q_PROPERTY(bool useThread READ useThread WRITE setUseThread NOTIFY useThreadChanged)

public:
    explicit ControllerItemBase(QQuickItem *parent = nullptr);

    bool handleMessage(QString actionName, std::shared_ptr<DTO> dto) override;

    Q_INVOKABLE void clearParam4trGetList();
    void trInfo(DTO &mapParams);
    // With `check_so` the request is sent only while useTrGetList is on.
    virtual void trGetList(DTO &mapParams, bool check_so);
    void trGetList(DTO &mapParams);
    Q_INVOKABLE void trInfo(QJsonObject mapParams);
    Q_INVOKABLE void trGetList(QJsonObject mapParams);
    Q_INVOKABLE void sendBufferCmd(bool block4write);
    Q_INVOKABLE void sendBufferCmd();
    Q_INVOKABLE void onBufferCmd();
    Q_INVOKABLE void offBufferCmd();
    Q_INVOKABLE QVariant defaultFieldValue(QString field_name) const;
    Q_INVOKABLE void sortRows(QString role, Qt::SortOrder order);
    Q_INVOKABLE void setFilterPattern(QString filterPattern);

    qlonglong objectNumber() const { return m_receiverId; }
    bool useTrGetList() const { return m_useTrGetList; }
    void setUseTrGetList(bool value) { m_useTrGetList = value; }
    bool useThread() const;
    void setUseThread(bool value);
    DTO getListParams() const;

signals:
    void saInfo(const DTO &mapParams);
    void saListInfo(const DTO &mapParams);
    void saGetList(const DTO &mapParams);
    void useThreadChanged(bool useThread);
    // With useThread on, sorting and filtering are posted through these and run on the next event-loop turn.
    void sortRowsThread(QString role, int order);
    void setFilterPatternThread(QString filterPattern);

public slots:
    void onMessageReceived(QString actionName, std::shared_ptr<DTO> mapParams);

protected:
    qint64 helperReceiverId() const override;
    void emitSaGetList(const DTO &message) override;

    // Creates the controller's own record model and proxy for `description`.
    void setupModels(const QSharedPointer<ModelBase> &description);
    void subscribe(void (HandleReceivedMessagesP2pClient::*signal)(QString, std::shared_ptr<DTO>));

    DTO m_getListParams;
    bool m_useTrGetList = false;
    bool m_useThread = false;
};

} // namespace P2pClientController
