#include "controllers/archive/ArchiveController.h"

#include "controllers/models/ArchiveModel.h"

namespace LynClientController {

ArchiveController::ArchiveController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("archive");
    m_modelBase = QSharedPointer<LYNModels::ArchiveModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
    connectRouter(&LynClientBase::HandleRecievedMessages::archiveMessage);
    // Emitted inside the answer's batch, so the records merge at once when it ends.
    connect(this, &ControllerItemBase::saQuery, this, [this](const QJsonObject &mapParams) {
        if (m_feedRecords && isOwnAnswer(mapParams))
            addRecords(&m_model, mapParams.value(QStringLiteral("records")).toArray());
    }, Qt::DirectConnection);
}

void ArchiveController::setFeedRecords(bool value)
{
    if (value == m_feedRecords)
        return;
    m_feedRecords = value;
    emit feedRecordsChanged(value);
}

void ArchiveController::addRecords(NtCommon::RecordModel *model, const QJsonArray &records)
{
    for (const QJsonValue &record : records) {
        if (record.isObject())
            model->addRow(record.toObject().toVariantMap());
    }
}

} // namespace LynClientController
