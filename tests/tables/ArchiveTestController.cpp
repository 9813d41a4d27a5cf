#include "ArchiveTestController.h"

#include "controllers/models/ArchiveModel.h"

#include <QJsonArray>

using namespace LynClientController;

ArchiveTestController::ArchiveTestController(OriginalModel *sharedModel)
{
    m_controllerName = QStringLiteral("archive");
    OriginalModel *model = sharedModel ? sharedModel : &m_ownModel;
    m_isStaticModel = sharedModel != nullptr;
    if (!model->modelBase())
        model->setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
    m_modelBase = model->modelBase();
    attachOriginalModel(model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::archiveMessage);
}

ScreenFeeder::ScreenFeeder(ControllerItemBase *controller)
    : QObject(controller)
{
    connect(controller, &ControllerItemBase::saQuery, this, [controller](const QJsonObject &answer) {
        if (answer.value("_receiver").toVariant().toString() != controller->objectNumber())
            return;
        for (const QJsonValue &record : answer.value("records").toArray()) {
            if (record.isObject())
                controller->originalModel()->addRow(record.toObject().toVariantMap());
        }
    }, Qt::DirectConnection);
}
