#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QVariantMap>

#include <initializer_list>
#include <memory>
#include <utility>

#include "nt_common/core/thread/ThreadHandover.h"

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

// Queued connections copy a message into Qt's event queue on one thread and
// read and destroy it on another, under locks the thread sanitizer cannot see:
// the copy releases the hand-over and the destruction acquires it (a delivery
// acquires it too, see ThreadHandover::watchQueuedCalls).
namespace QtMetaTypePrivate {
template <typename T>
struct QueuedMessageHelper
{
    static void Destruct(void *t)
    {
        NtCommon::ThreadHandover::acquire(NtCommon::ThreadHandover::queuedCalls());
        static_cast<T *>(t)->~T();
    }
    static void *Construct(void *where, const void *t)
    {
        void *made = t ? new (where) T(*static_cast<const T *>(t)) : new (where) T;
        NtCommon::ThreadHandover::release(NtCommon::ThreadHandover::queuedCalls());
        return made;
    }
};
template <>
struct QMetaTypeFunctionHelper<std::shared_ptr<NtCommon::DTO>, true> : QueuedMessageHelper<std::shared_ptr<NtCommon::DTO>>
{
};
template <>
struct QMetaTypeFunctionHelper<QList<std::shared_ptr<NtCommon::DTO>>, true>
    : QueuedMessageHelper<QList<std::shared_ptr<NtCommon::DTO>>>
{
};
} // namespace QtMetaTypePrivate

Q_DECLARE_METATYPE(NtCommon::DTO)
Q_DECLARE_METATYPE(std::shared_ptr<NtCommon::DTO>)
