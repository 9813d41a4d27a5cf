#pragma once

#include <QByteArray>
#include <QList>

namespace P2pClientBase {

// Cuts "#ENDMSG"-terminated frame bodies out of a byte stream. Each append
// scans only bytes not scanned before. A frame that grows past the cap is
// dropped up to its own terminator, so the frames behind it survive.
class FrameSplitter
{
public:
    static const QByteArray kTerminator;

    struct Cut
    {
        QList<QByteArray> bodies;      // complete, non-empty bodies in arrival order
        bool overflowBegan = false;    // a frame passed the cap in this append
        QList<qint64> droppedSizes;    // sizes of oversized frames whose terminator arrived
    };

    explicit FrameSplitter(int maxFrameBytes);

    Cut append(const QByteArray &bytes);
    void clear();
    int bufferedBytes() const;
    // Bytes of the oversized frame being dropped so far; 0 when none is.
    qint64 droppingBytes() const;

private:
    const int m_maxFrameBytes;
    QByteArray m_buffer;
    int m_scanned = 0;
    bool m_dropping = false;
    qint64 m_droppedSoFar = 0;
};

} // namespace P2pClientBase
