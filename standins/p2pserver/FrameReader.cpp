#include "FrameReader.h"

#include <QJsonDocument>

namespace Standin {

const QByteArray FrameReader::kTerminator = QByteArrayLiteral("#ENDMSG");

bool FrameReader::append(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() > kMaxBuffered && !m_buffer.contains(kTerminator)) {
        m_buffer.clear();
        return false;
    }
    return true;
}

QList<QByteArray> FrameReader::takeBodies()
{
    QList<QByteArray> bodies;
    int end = m_buffer.indexOf(kTerminator);
    while (end >= 0) {
        if (end > 0)
            bodies.append(m_buffer.left(end));
        m_buffer.remove(0, end + kTerminator.size());
        end = m_buffer.indexOf(kTerminator);
    }
    return bodies;
}

QByteArray FrameReader::encode(const QList<QJsonObject> &messages)
{
    QByteArrayList texts;
    for (const QJsonObject &message : messages)
        texts << QJsonDocument(message).toJson(QJsonDocument::Compact);
    // '#' stands only inside JSON strings, where "\u0023" means the same: no body holds the terminator.
    QByteArray body = "[" + texts.join(", ") + "]";
    return body.replace('#', "\\u0023") + kTerminator;
}

} // namespace Standin
