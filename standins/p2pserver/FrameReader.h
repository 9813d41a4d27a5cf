#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>

namespace Standin {

// Cuts "#ENDMSG"-terminated JSON-array frames out of a TCP byte stream.
class FrameReader
{
public:
    static const QByteArray kTerminator;
    static constexpr int kMaxBuffered = 8 * 1024 * 1024;

    // Appends bytes; returns false (and drops the buffer) when a frame grows past the cap.
    bool append(const QByteArray &bytes);
    // The complete frame bodies received so far, oldest first; empty frames are skipped.
    QList<QByteArray> takeBodies();

    static QByteArray encode(const QList<QJsonObject> &messages);

private:
    QByteArray m_buffer;
};

} // namespace Standin
