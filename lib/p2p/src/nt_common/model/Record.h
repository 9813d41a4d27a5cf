#pragma once

#include "nt_common/model/RecordKey.h"

#include <QVariantMap>
#include <QVector>

#include <array>

namespace NtCommon {

// One row of a record model: its key, the values of the table's fields by
// role position, the keys the table does not declare, and what each attached
// proxy last decided about it (cleared whenever the row changes).
struct Record
{
    static constexpr int kMemoSlots = 4;

    RecordKey::Value key;
    QVector<QVariant> fields;
    QVariantMap extra;
    mutable std::array<quint32, kMemoSlots> memo{};

    void forget() const { memo.fill(0); }
};

} // namespace NtCommon
