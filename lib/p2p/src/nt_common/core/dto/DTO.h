#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaType>
#include <QVariantMap>

#include <initializer_list>
#include <memory>
#include <utility>

namespace NtCommon {

// One P2P message: a JSON object shared between threads as std::shared_ptr<DTO>.
class DTO : public QJsonObject
{
public:
    DTO() = default;
    DTO(const DTO &other) = default;
    DTO &operator=(const DTO &other) = default;
    explicit DTO(const QJsonObject &object);
    DTO(std::initializer_list<std::pair<QString, QJsonValue>> values);
    virtual ~DTO();

    void merge(const QVariantMap &values);
    void merge(const QJsonObject &other);
    QByteArray toJson(QJsonDocument::JsonFormat format = QJsonDocument::Compact) const;

    // Makes "DTO" and "std::shared_ptr<DTO>" known to queued connections.
    static void registerMetaTypes();
};

} // namespace NtCommon

using DTO = NtCommon::DTO;

Q_DECLARE_METATYPE(NtCommon::DTO)
Q_DECLARE_METATYPE(std::shared_ptr<NtCommon::DTO>)
