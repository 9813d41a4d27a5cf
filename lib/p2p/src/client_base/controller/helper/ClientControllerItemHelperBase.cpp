#include "client_base/controller/helper/ClientControllerItemHelperBase.h"

#include "nt_common/model/TableAnswer.h"

#include <QJsonArray>

#include <spdlog/spdlog.h>

namespace ClientControllerHelper {

QVector<QVariantMap> ClientControllerItemHelperBase::recordsOf(const DTO &message)
{
    QVector<QVariantMap> result;
    const QJsonValue records = message.value(QStringLiteral("records"));
    if (records.isUndefined())
        return result;
    auto log = spdlog::get("main");
    if (!records.isArray()) {
        if (log)
            log->warn("saGetList: 'records' is not a list; ignored");
        return result;
    }
    const QJsonArray list = records.toArray();
    result.reserve(list.size());
    for (const QJsonValue &record : list) {
        if (record.isObject())
            result.append(record.toObject().toVariantMap());
        else if (log)
            log->warn("saGetList: record that is not an object skipped");
    }
    return result;
}

void ClientControllerItemHelperBase::removeRowOf(const DTO &message)
{
    NtCommon::TableAnswer::removeRecord(m_originalModel, message.value(QStringLiteral("id")).toVariant());
}

} // namespace ClientControllerHelper
