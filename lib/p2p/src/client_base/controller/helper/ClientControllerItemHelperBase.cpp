#include "client_base/controller/helper/ClientControllerItemHelperBase.h"

#include <QJsonArray>

#include <spdlog/spdlog.h>

namespace ClientControllerHelper {

void ClientControllerItemHelperBase::mergeRecords(const DTO &message)
{
    const QJsonValue records = message.value(QStringLiteral("records"));
    if (!m_originalModel || records.isUndefined())
        return;
    auto log = spdlog::get("main");
    if (!records.isArray()) {
        if (log)
            log->warn("saGetList: 'records' is not a list; ignored");
        return;
    }
    for (const QJsonValue &record : records.toArray()) {
        if (record.isObject())
            m_originalModel->addRow(DTO(record.toObject()));
        else if (log)
            log->warn("saGetList: record that is not an object skipped");
    }
}

void ClientControllerItemHelperBase::removeRowOf(const DTO &message)
{
    if (m_originalModel)
        m_originalModel->delRow(valueText(message.value(QStringLiteral("id"))));
}

} // namespace ClientControllerHelper
