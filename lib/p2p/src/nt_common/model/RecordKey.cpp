#include "nt_common/model/RecordKey.h"

#include <cmath>

namespace NtCommon {

namespace {
// Doubles hold every whole number up to 2^53 exactly; beyond that a "whole" double names no record.
constexpr double kExactLimit = 9007199254740992.0;
} // namespace

RecordKey::RecordKey(Kind kind, const QString &field)
    : m_kind(kind)
    , m_field(field)
{
}

RecordKey::Kind RecordKey::kind() const
{
    return m_kind;
}

const QString &RecordKey::field() const
{
    return m_field;
}

bool RecordKey::fromRecord(const QVariant &value, Value *key) const
{
    if (m_kind == Kind::Integer) {
        qint64 number = 0;
        key->number = wholeNumber(value, &number) ? number : 0;
        key->numeric = true;
        return true;
    }
    return fromText(idText(value), key);
}

bool RecordKey::fromText(const QString &text, Value *key) const
{
    if (text.isEmpty())
        return false;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (m_kind == Kind::Integer) {
        if (!ok)
            return false;
        key->number = number;
        key->numeric = true;
        return true;
    }
    key->text = text;
    key->numeric = ok;
    key->number = ok ? number : 0;
    return true;
}

QVariant RecordKey::stored(const QVariant &value) const
{
    return m_kind == Kind::Text ? QVariant(idText(value)) : value;
}

QString RecordKey::idText(const QVariant &id)
{
    switch (static_cast<QMetaType::Type>(id.type())) {
    case QMetaType::QString:
        return id.toString();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(id.toLongLong());
    case QMetaType::Double: {
        qint64 number = 0;
        return wholeNumber(id, &number) ? QString::number(number) : QString();
    }
    default:
        return QString();
    }
}

bool RecordKey::wholeNumber(const QVariant &value, qint64 *number)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        *number = value.toLongLong();
        return true;
    case QMetaType::ULongLong: {
        bool ok = false;
        *number = value.toLongLong(&ok);
        return ok;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) > kExactLimit)
            return false;
        *number = static_cast<qint64>(v);
        return true;
    }
    case QMetaType::QString: {
        bool ok = false;
        *number = value.toString().toLongLong(&ok);
        return ok;
    }
    default:
        return false;
    }
}

bool RecordKey::stamp(const QVariant &value, qint64 *ms)
{
    if (value.type() == QVariant::Double) {
        // Converting a double outside the 64-bit range is undefined; such a time is not a time.
        const double v = value.toDouble();
        if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
            return false;
        *ms = static_cast<qint64>(v);
        return true;
    }
    bool ok = false;
    *ms = value.toLongLong(&ok);
    return ok;
}

} // namespace NtCommon
