#include "QmlVlcReceiveBacklog.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

#include "QmlVlcFrameSink.h"

namespace {
// An SDP file is small; anything larger is not one.
constexpr qint64 maxSdpBytes = 64 * 1024;
constexpr qint64 snapshotLifeMs = 100;

quint16 sdpVideoPort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString text = QString::fromUtf8(file.read(maxSdpBytes));
    static const QRegularExpression media(QStringLiteral("^m=video (\\d{1,5})\\b"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = media.match(text);
    const uint port = match.hasMatch() ? match.captured(1).toUInt() : 0;
    return port <= 0xffff ? static_cast<quint16>(port) : 0;
}

#ifdef Q_OS_LINUX
// Adds the receive queues of one /proc/net table to the queues by local port.
void readTable(const QString& path, QHash<quint16, qint64>& queues)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    file.readLine(); // the header
    while (!file.atEnd()) {
        // "sl local_address rem_address st tx_queue:rx_queue ...", addresses as HEXIP:HEXPORT
        const QList<QByteArray> fields = file.readLine().simplified().split(' ');
        if (fields.size() < 5)
            continue;
        const QList<QByteArray> local = fields[1].split(':');
        const QList<QByteArray> queue = fields[4].split(':');
        if (local.size() != 2 || queue.size() != 2)
            continue;
        bool portOk = false;
        bool queueOk = false;
        const uint port = local[1].toUInt(&portOk, 16);
        const qint64 received = queue[1].toLongLong(&queueOk, 16);
        if (portOk && queueOk && port <= 0xffff)
            queues[static_cast<quint16>(port)] += received;
    }
}
#endif
} // namespace

namespace QmlVlcReceiveBacklog {

quint16 videoPort(const QString& mrl)
{
    const QUrl url(mrl);
    if (url.isLocalFile() && mrl.endsWith(QLatin1String(".sdp"), Qt::CaseInsensitive))
        return sdpVideoPort(url.toLocalFile());
    if (url.scheme() == QLatin1String("rtp") || url.scheme() == QLatin1String("udp")) {
        const int port = url.port();
        return port > 0 ? static_cast<quint16>(port) : 0;
    }
    return 0;
}

qint64 queuedBytes(quint16 port)
{
#ifdef Q_OS_LINUX
    static QHash<quint16, qint64> queues;
    static qint64 takenMs = -snapshotLifeMs;
    const qint64 now = QmlVlcFrameSink::monotonicMs();
    if (now - takenMs >= snapshotLifeMs) {
        queues.clear();
        readTable(QStringLiteral("/proc/net/udp"), queues);
        readTable(QStringLiteral("/proc/net/udp6"), queues);
        takenMs = now;
    }
    return queues.value(port, 0);
#else
    Q_UNUSED(port)
    return -1;
#endif
}

} // namespace QmlVlcReceiveBacklog
