#include "P2pChannelTaps.h"

#include "LiveStreams.h"

namespace Standin {

QJsonObject P2pChannelTaps::handle(QObject *client, const QJsonObject &request)
{
    // The bridge matches a refusal to its channel by the stream key.
    const auto error = [&request](const QString &message) {
        return QJsonObject{{"status", "ERROR"}, {"errorMessage", message}, {"streamKey", request.value(QStringLiteral("streamKey"))}};
    };
    if (!m_live)
        return error(QStringLiteral("Live streams are off"));
    const QJsonValue rowValue = request.value(QStringLiteral("rowID"));
    const QJsonValue portValue = request.value(QStringLiteral("forwardPort"));
    const qint64 rowId = rowValue.toVariant().toLongLong();
    const int port = portValue.toInt(-1);
    if (!rowValue.isDouble() || rowId <= 0)
        return error(QStringLiteral("'rowID' must be a positive integer"));
    if (!portValue.isDouble() || port <= 0 || port > 65535)
        return error(QStringLiteral("A P2P channel is opened by the installation's P2P bridge, which names 'forwardPort'"));
    const QPair<qint64, quint16> tap(rowId, static_cast<quint16>(port));
    QJsonObject answer{{"status", "OK"}, {"rowID", rowId}, {"streamKey", request.value(QStringLiteral("streamKey"))}};
    if (request.value(QStringLiteral("stop")).toBool()) {
        m_live->stopCopy(tap.first, tap.second);
        m_taps[client].remove(tap);
        return answer;
    }
    if (!m_live->copyTo(tap.first, tap.second))
        return error(QStringLiteral("Device %1 has no live stream").arg(rowId));
    m_taps[client].insert(tap);
    return answer;
}

void P2pChannelTaps::dropClient(QObject *client)
{
    const QSet<QPair<qint64, quint16>> taps = m_taps.take(client);
    for (const auto &tap : taps)
        m_live->stopCopy(tap.first, tap.second);
}

} // namespace Standin
