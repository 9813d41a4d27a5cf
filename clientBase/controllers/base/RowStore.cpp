#include "controllers/base/RowStore.h"

#include <algorithm>

namespace LynClientController {

int RowStore::size() const
{
    return m_size;
}

const QVariantMap &RowStore::at(int row) const
{
    const auto [block, offset] = locate(row);
    return m_blocks[block].at(offset);
}

QVariantMap &RowStore::ref(int row)
{
    const auto [block, offset] = locate(row);
    return m_blocks[block][offset];
}

void RowStore::insert(int row, const QVariantMap &record)
{
    if (m_blocks.empty()) {
        m_blocks.emplace_back();
        m_starts.push_back(0);
    }
    int block = 0;
    int offset = 0;
    if (row >= m_size) {
        block = int(m_blocks.size()) - 1;
        offset = m_blocks[block].size();
    } else {
        std::tie(block, offset) = locate(row);
    }
    m_blocks[block].insert(offset, record);
    ++m_size;
    shiftStarts(block + 1, 1);

    if (m_blocks[block].size() > 2 * kBlockSize) {
        QVector<QVariantMap> &full = m_blocks[block];
        const int half = full.size() / 2;
        QVector<QVariantMap> tail = full.mid(half);
        full.resize(half);
        m_blocks.insert(m_blocks.begin() + block + 1, std::move(tail));
        m_starts.insert(m_starts.begin() + block + 1, m_starts[block] + half);
    }
}

void RowStore::removeAt(int row)
{
    const auto [block, offset] = locate(row);
    m_blocks[block].remove(offset);
    --m_size;
    shiftStarts(block + 1, -1);
    if (m_blocks[block].isEmpty()) {
        m_blocks.erase(m_blocks.begin() + block);
        m_starts.erase(m_starts.begin() + block);
    }
}

void RowStore::clear()
{
    m_blocks.clear();
    m_starts.clear();
    m_size = 0;
}

std::pair<int, int> RowStore::locate(int row) const
{
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), row);
    const int block = int(it - m_starts.begin()) - 1;
    return {block, row - m_starts[block]};
}

void RowStore::shiftStarts(int fromBlock, int delta)
{
    for (std::size_t i = fromBlock; i < m_starts.size(); ++i)
        m_starts[i] += delta;
}

} // namespace LynClientController
