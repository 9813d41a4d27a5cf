#pragma once

#include "nt_common/model/RecordKey.h"

#include <QVariantMap>
#include <QVector>

#include <array>
#include <cstring>
#include <vector>

namespace NtCommon {

// Asks the memory for an address without waiting for it.
inline void prefetchAddress(const void *address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    Q_UNUSED(address);
#endif
}

// Qt's containers are one pointer to a shared block: the block is fetched
// without reading the container's header, which would wait.
template <class Container>
inline void prefetchBlock(const Container &container)
{
    static_assert(sizeof(Container) == sizeof(void *), "a container is one pointer to its block");
    const void *block;
    std::memcpy(&block, &container, sizeof block);
    prefetchAddress(block);
}

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

    // Rows sit in key order while their values sit where they were read, so a
    // pass over many rows waits on memory. A row's values are fetched in three
    // steps some rows ahead: the array, the value at a position, a text's characters.
    void prefetchFields() const { prefetchBlock(fields); }
    void prefetchValue(int position) const
    {
        if (position >= 0 && position < fields.size())
            prefetchAddress(&fields.at(position));
    }
    void prefetchText(int position) const
    {
        if (position < 0 || position >= fields.size())
            return;
        const QVariant &value = fields.at(position);
        if (value.userType() == QMetaType::QString)
            prefetchBlock(*static_cast<const QString *>(value.constData()));
    }
};

// Calls visit(i) for i = 0 .. count - 1 while the records at(i + n) a few
// steps ahead are fetched: their values at `positions` (in the role list),
// and the characters of those at `textPositions`.
template <class At, class Visit>
void visitAhead(int count, At at, const std::vector<int> &positions, const std::vector<int> &textPositions, Visit visit)
{
    constexpr int kArraysAhead = 16;
    constexpr int kValuesAhead = 8;
    constexpr int kTextsAhead = 4;
    for (int i = 0; i < count; ++i) {
        if (i + kArraysAhead < count)
            at(i + kArraysAhead).prefetchFields();
        if (i + kValuesAhead < count) {
            for (int position : positions)
                at(i + kValuesAhead).prefetchValue(position);
        }
        if (i + kTextsAhead < count) {
            for (int position : textPositions)
                at(i + kTextsAhead).prefetchText(position);
        }
        visit(i);
    }
}

} // namespace NtCommon
