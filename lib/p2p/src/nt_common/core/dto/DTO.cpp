#include "nt_common/core/dto/DTO.h"

#include <QList>

namespace NtCommon {

DTO::DTO(const QJsonObject &object)
    : QJsonObject(object)
{
}

DTO::DTO(std::initializer_list<std::pair<QString, QJsonValue>> values)
{
    for (const auto &value : values)
        insert(value.first, value.second);
}

DTO::~DTO() = default;

void DTO::merge(const QVariantMap &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        insert(it.key(), QJsonValue::fromVariant(it.value()));
}

void DTO::merge(const QJsonObject &other)
{
    for (auto it = other.begin(); it != other.end(); ++it)
        insert(it.key(), it.value());
}

QByteArray DTO::toJson(QJsonDocument::JsonFormat format) const
{
    return QJsonDocument(*this).toJson(format);
}

void DTO::registerMetaTypes()
{
    qRegisterMetaType<NtCommon::DTO>("DTO");
    qRegisterMetaType<std::shared_ptr<NtCommon::DTO>>("std::shared_ptr<DTO>");
    qRegisterMetaType<QList<std::shared_ptr<NtCommon::DTO>>>("QList<std::shared_ptr<DTO> >");
    ThreadHandover::watchQueuedCalls();
}

} // namespace NtCommon
