#include "client_base/base/FrameSplitter.h"

namespace P2pClientBase {

const QByteArray FrameSplitter::kTerminator = QByteArrayLiteral("#ENDMSG");

FrameSplitter::FrameSplitter(int maxFrameBytes) : m_maxFrameBytes(maxFrameBytes) {}

FrameSplitter::Cut FrameSplitter::append(const QByteArray &bytes)
{
    Cut cut;
    m_buffer.append(bytes);
    // A terminator may straddle the old and the new bytes.
    const int overlap = kTerminator.size() - 1;
    int start = 0;
    for (;;) {
        const int end = m_buffer.indexOf(kTerminator, qMax(start, m_scanned - overlap));
        if (end < 0)
            break;
        if (m_dropping) {
            cut.droppedSizes << m_droppedSoFar + (end - start);
            m_dropping = false;
            m_droppedSoFar = 0;
        } else if (end - start > m_maxFrameBytes) {
            // It arrived whole in one read, but is no less oversized.
            cut.overflowBegan = true;
            cut.droppedSizes << end - start;
        } else if (end > start) {
            cut.bodies << m_buffer.mid(start, end - start);
        }
        start = end + kTerminator.size();
        m_scanned = start;
    }
    m_buffer.remove(0, start);
    m_scanned = m_buffer.size();

    // The last bytes may be the start of a terminator, not part of the body.
    if (!m_dropping && m_buffer.size() > m_maxFrameBytes + overlap) {
        m_dropping = true;
        cut.overflowBegan = true;
    }
    // While dropping only the bytes that may begin a terminator are kept.
    if (m_dropping && m_buffer.size() > overlap) {
        m_droppedSoFar += m_buffer.size() - overlap;
        m_buffer = m_buffer.right(overlap);
        m_scanned = m_buffer.size();
    }
    return cut;
}

void FrameSplitter::clear()
{
    m_buffer.clear();
    m_scanned = 0;
    m_dropping = false;
    m_droppedSoFar = 0;
}

qint64 FrameSplitter::droppingBytes() const
{
    return m_dropping ? m_droppedSoFar + m_buffer.size() : 0;
}

int FrameSplitter::bufferedBytes() const
{
    return m_buffer.size();
}

} // namespace P2pClientBase
