#include "LiveStreams.h"

#include "CameraNetwork.h"
#include "ServerLog.h"
#include "TableStore.h"

#include <QFile>

namespace Standin {

namespace {
const QString kCam = QStringLiteral("cam");
const QString kOffline = QStringLiteral("offline");
const QString kRecording = QStringLiteral("recording");
} // namespace

LiveStreams::LiveStreams(TableStore &store, ServerLog &log, const QString &clip, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_log(log)
    , m_clip(clip)
{
}

LiveStreams::~LiveStreams()
{
    for (auto &entry : m_streams)
        entry.second.process->disconnect(this);
}

void LiveStreams::syncAll()
{
    for (const QJsonObject &record : m_store.all(kCam))
        sync(record.value("rowID").toVariant().toLongLong());
}

void LiveStreams::sync(qint64 deviceId)
{
    QJsonObject record;
    if (!m_store.find(kCam, deviceId, &record)) {
        stop(deviceId);
        return;
    }
    const QString source = record.value("source").toString();
    const QString name = record.value("deviceName").toString();
    if (!CameraNetwork::open(source, record.value("camType").toInt(2))) {
        if (m_streams.count(deviceId))
            m_log.line(QStringLiteral("device %1: source cannot be opened, stream stopped").arg(deviceId));
        stop(deviceId);
        setRecord(deviceId, QString(), kOffline);
        return;
    }
    Stream &stream = m_streams[deviceId];
    const bool running = stream.process && stream.process->state() != QProcess::NotRunning;
    if (running && stream.source == source && stream.name == name)
        return;
    stream.source = source;
    stream.name = name;
    if (!stream.relay) {
        stream.relay = std::make_unique<RtpRelay>();
        if (!stream.relay->open()) {
            m_log.line(QStringLiteral("device %1: no free port for its stream").arg(deviceId));
            m_streams.erase(deviceId);
            setRecord(deviceId, QString(), kOffline);
            return;
        }
    }
    if (!startProcess(deviceId, stream)) {
        m_streams.erase(deviceId);
        setRecord(deviceId, QString(), kOffline);
        return;
    }
    setRecord(deviceId, stream.relay->sdp(name), kRecording);
}

bool LiveStreams::restart(qint64 deviceId, QString *reason)
{
    auto it = m_streams.find(deviceId);
    if (it == m_streams.end()) {
        *reason = QStringLiteral("Device %1 has no stream").arg(deviceId);
        return false;
    }
    m_log.line(QStringLiteral("device %1: restarting its stream").arg(deviceId));
    if (!startProcess(deviceId, it->second)) {
        *reason = QStringLiteral("Device %1: the stream did not start").arg(deviceId);
        return false;
    }
    return true;
}

bool LiveStreams::setCut(qint64 deviceId, bool cut)
{
    auto it = m_streams.find(deviceId);
    if (it == m_streams.end() || !it->second.relay)
        return false;
    m_log.line(QStringLiteral("device %1: stream %2").arg(deviceId).arg(cut ? "cut off" : "let through"));
    it->second.relay->setMuted(cut);
    return true;
}

QList<qint64> LiveStreams::streamingDevices() const
{
    QList<qint64> ids;
    for (const auto &entry : m_streams)
        ids.append(entry.first);
    return ids;
}

bool LiveStreams::copyTo(qint64 deviceId, quint16 port)
{
    const auto it = m_streams.find(deviceId);
    if (it == m_streams.end() || !it->second.relay)
        return false;
    it->second.relay->addCopyPort(port);
    m_log.line(QStringLiteral("device %1: live stream copied to 127.0.0.1:%2").arg(deviceId).arg(port));
    return true;
}

void LiveStreams::stopCopy(qint64 deviceId, quint16 port)
{
    const auto it = m_streams.find(deviceId);
    if (it == m_streams.end() || !it->second.relay)
        return;
    it->second.relay->removeCopyPort(port);
    m_log.line(QStringLiteral("device %1: copy to 127.0.0.1:%2 stopped").arg(deviceId).arg(port));
}

bool LiveStreams::startProcess(qint64 deviceId, Stream &stream)
{
    if (stream.process) {
        stream.process->disconnect(this);
        stream.process->stop();
    }
    // The name goes through a file, so no device name can change the filter graph.
    const QString caption = m_captions.filePath(QStringLiteral("%1.txt").arg(deviceId));
    QFile file(caption);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(stream.name.left(80).toUtf8());
    file.close();
    const QString text = QStringLiteral(":fontsize=18:fontcolor=white:box=1:boxcolor=black@0.6:boxborderw=4");
    const QString filter = QStringLiteral("testsrc2=size=480x270:rate=25,drawtext=textfile='%1':x=8:y=8%2,"
                                          "drawtext=text='%{localtime\\:%X}':x=8:y=36%2")
                               .arg(caption, text);
    stream.process = std::make_unique<ChildProcess>();
    stream.relay->newSender();
    if (m_clip.isEmpty()) {
        stream.process->startFfmpeg({"-re", "-f", "lavfi", "-i", filter, "-an", "-c:v", "libx264", "-preset", "ultrafast",
                                     "-tune", "zerolatency", "-pix_fmt", "yuv420p", "-g", "25", "-f", "rtp",
                                     stream.relay->inputUrl()});
    } else {
        stream.process->startFfmpeg({"-re", "-stream_loop", "-1", "-i", m_clip, "-an", "-c:v", "copy", "-f", "rtp",
                                     stream.relay->inputUrl()});
    }
    if (!stream.process->waitForStarted(10000)) {
        m_log.line(QStringLiteral("device %1: ffmpeg did not start").arg(deviceId));
        return false;
    }
    m_log.line(QStringLiteral("device %1: live stream on rtp://127.0.0.1:%2, ffmpeg pid %3")
                   .arg(deviceId).arg(stream.relay->outputPort()).arg(stream.process->processId()));
    connect(stream.process.get(), qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, [this, deviceId] {
        m_log.line(QStringLiteral("device %1: its stream ended by itself").arg(deviceId));
        // Reaped already; the stream is gone until the device changes.
        auto it = m_streams.find(deviceId);
        if (it != m_streams.end()) {
            it->second.process->disconnect(this);
            it->second.process.release()->deleteLater();
            m_streams.erase(it);
        }
        setRecord(deviceId, QString(), kOffline);
    });
    return true;
}

void LiveStreams::stop(qint64 deviceId)
{
    auto it = m_streams.find(deviceId);
    if (it == m_streams.end())
        return;
    if (it->second.process) {
        it->second.process->disconnect(this);
        it->second.process->stop();
    }
    m_streams.erase(it);
}

void LiveStreams::setRecord(qint64 deviceId, const QString &sdp, const QString &recState)
{
    QJsonObject record;
    if (!m_store.find(kCam, deviceId, &record))
        return;
    if (record.value("sdp").toString() == sdp && record.value("recState").toString() == recState)
        return;
    if (m_store.update(kCam, deviceId, {{"sdp", sdp}, {"recState", recState}}))
        emit recordChanged(kCam, QStringLiteral("srUpdated"), deviceId);
}

} // namespace Standin
