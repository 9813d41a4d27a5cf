#pragma once

#include <QVariantMap>
#include <QVector>

#include <vector>

namespace LynClientController {

// The record model's rows: a list of blocks, so that inserting or removing in
// the middle moves at most one block instead of the whole list.
class RowStore
{
public:
    int size() const;
    const QVariantMap &at(int row) const;
    QVariantMap &ref(int row);
    void insert(int row, const QVariantMap &record);
    void removeAt(int row);
    void clear();

private:
    static constexpr int kBlockSize = 256;

    // Block index and offset inside it of a row in [0, size()).
    std::pair<int, int> locate(int row) const;
    void shiftStarts(int fromBlock, int delta);

    std::vector<QVector<QVariantMap>> m_blocks;
    std::vector<int> m_starts;
    int m_size = 0;
};

} // namespace LynClientController
