#include "controllers/archive/ArchiveController.h"

#include "controllers/models/ArchiveModel.h"

#include <vector>

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
            addRecords(&m_model, mapParams.value(QStringLiteral("records")).toArray(), m_feedFields);
    }, Qt::DirectConnection);
}

void ArchiveController::setFeedRecords(bool value)
{
    if (value == m_feedRecords)
        return;
    m_feedRecords = value;
    emit feedRecordsChanged(value);
}

void ArchiveController::setFeedFields(const QStringList &fields)
{
    if (fields == m_feedFields)
        return;
    m_feedFields = fields;
    emit feedFieldsChanged();
}

void ArchiveController::addRecords(NtCommon::RecordModel *model, const QJsonArray &records, const QStringList &fields)
{
    if (fields.isEmpty()) {
        for (const QJsonValue &record : records) {
            if (record.isObject())
                model->addRow(record.toObject().toVariantMap());
        }
        return;
    }
    // Looked up by Latin-1 name, stored under shared key strings: no string is made per field.
    QStringList kept = fields;
    for (const QString &own : {model->recordKey().field(), QStringLiteral("dtUpdate")}) {
        if (!kept.contains(own))
            kept.append(own);
    }
    std::vector<QByteArray> names;
    names.reserve(size_t(kept.size()));
    for (const QString &field : qAsConst(kept))
        names.push_back(field.toLatin1());
    for (const QJsonValue &value : records) {
        if (!value.isObject())
            continue;
        const QJsonObject record = value.toObject();
        QVariantMap map;
        for (int i = 0; i < kept.size(); ++i) {
            const auto it = record.constFind(QLatin1String(names[size_t(i)]));
            if (it != record.constEnd())
                map.insert(kept.at(i), it.value().toVariant());
        }
        model->addRow(map);
    }
}

} // namespace LynClientController
