#pragma once

#include "controllers/base/ControllerBase.h"
#include "base/HandleRecievedMessages.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "nt_common/model/RecordController.h"

#include <QObject>
#include <QVariant>

namespace LynClientController {

// Query and info requests, and the record model and proxy they fill.
class ControllerItemBase : public QObject, public ControllerBase
{
    Q_OBJECT
    NT_RECORD_CONTROLLER(LynClientController::OriginalModel, LynClientController::ProxyModel)
    Q_PROPERTY(QString objectNumber READ objectNumber CONSTANT)
    Q_PROPERTY(bool useTrQuery READ useTrQuery WRITE setUseTrQuery)
    Q_PROPERTY(bool ignoreSrUpdated READ ignoreSrUpdated WRITE setIgnoreSrUpdated)
    Q_PROPERTY(bool ignoreSrInserted READ ignoreSrInserted WRITE setIgnoreSrInserted)

public:
    explicit ControllerItemBase(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE void clearParam4trQuery();
    Q_INVOKABLE QJsonObject trInfo(QJsonObject mapParams);
    Q_INVOKABLE virtual QJsonObject trQuery(QJsonObject mapParams = QJsonObject(), QJsonObject data = QJsonObject(),
                                            QJsonObject hints = QJsonObject());
    Q_INVOKABLE QJsonObject getMapParamsFromTrQuery() const;
    Q_INVOKABLE QVariant defaultFieldValue(QString field_name) const;

    bool useTrQuery() const { return m_useTrQuery; }
    void setUseTrQuery(bool value) { m_useTrQuery = value; }
    bool ignoreSrUpdated() const { return m_ignoreSrUpdated; }
    void setIgnoreSrUpdated(bool value) { m_ignoreSrUpdated = value; }
    bool ignoreSrInserted() const { return m_ignoreSrInserted; }
    void setIgnoreSrInserted(bool value) { m_ignoreSrInserted = value; }

signals:
    void saInfo(QJsonObject mapParams);
    void saQuery(QJsonObject mapParams);

public slots:
    void onMessageReceived(QString actionName, QJsonObject mapParams);
    // After a (re)connection the server may have changed anything while this
    // controller could not hear it: the last query is asked again in full.
    void requeryAfterConnecting();

protected:
    virtual void handleSaQuery(const QJsonObject &mapParams);
    // Sees every incoming message before the dispatch; may rewrite it.
    virtual void preDispatch(QJsonObject &mapParams);

    // Listens to the router's signal of this controller's name; raises when no server link is set.
    void connectRouter(void (LynClientBase::HandleRecievedMessages::*signal)(QString, QJsonObject));
    bool isOwnAnswer(const QJsonObject &mapParams) const;
    // Removes the row named by the message's rowID, if there is one.
    void removeRowOf(const QJsonObject &mapParams);

    OriginalModel *m_originalModel = nullptr;
    ProxyModel *m_proxyModel = nullptr;
    bool m_isStaticModel = false;
    bool m_ignoreSrUpdated = false;
    bool m_ignoreSrInserted = false;

private:
    bool m_querySent = false;
};

} // namespace LynClientController
