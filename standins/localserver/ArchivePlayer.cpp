#include "ArchivePlayer.h"

#include "LocalServer.h"
#include "ServerLog.h"
#include "TableStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace Standin {

namespace {
constexpr int kMaxStreams = 8;
constexpr double kMinSpeed = 0.25;
constexpr double kMaxSpeed = 16;

QJsonObject failure(const QString &message)
{
    return {{"status", "ERROR"}, {"errorMessage", message}};
}

bool wholeNumber(const QJsonValue &value, qint64 *number)
{
    if (!value.isDouble() || value.toDouble() != double(qint64(value.toDouble())))
        return false;
    *number = qint64(value.toDouble());
    return true;
}

// A path as one quoted word of an ffmpeg concat list.
QString concatQuoted(const QString &path)
{
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
} // namespace

ArchivePlayer::ArchivePlayer(TableStore &store, ServerLog &log, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_log(log)
    , m_folder(folder)
    , m_archiveRoot(QFileInfo(QDir(folder).filePath(QStringLiteral("archive"))).canonicalFilePath())
{
    connect(&m_positionTimer, &QTimer::timeout, this, &ArchivePlayer::sendPositions);
    m_positionTimer.start(1000);
}

ArchivePlayer::~ArchivePlayer()
{
    for (auto &entry : m_streams)
        stopReader(entry.second);
}

QJsonObject ArchivePlayer::handle(QObject *client, const QString &action, const QJsonObject &request)
{
    if (action == QLatin1String("trCreateVideo"))
        return create(client, request);
    // A client drives only the streams it created.
    const QString key = request.value("streamKey").toString();
    auto it = m_streams.find(key);
    const bool known = it != m_streams.end() && it->second.client == client;
    if (action == QLatin1String("trRemoveVideo"))
        return known ? remove(key) : QJsonObject{{"status", "ERROR"}, {"errorMessage", "Unknown stream"}, {"streamKey", key}};
    if (action == QLatin1String("trPlayVideo"))
        return known ? play(it->second, key, request) : failure(QStringLiteral("Unknown stream"));
    if (action == QLatin1String("trPauseVideo"))
        return known ? pause(it->second, key) : failure(QStringLiteral("Unknown stream"));
    if (action == QLatin1String("trJumpVideo"))
        return known ? jump(it->second, key, request) : failure(QStringLiteral("Unknown stream"));
    return failure(QStringLiteral("Unknown action '%1' for controller 'archivePlayer'").arg(action.left(64)));
}

QJsonObject ArchivePlayer::create(QObject *client, const QJsonObject &request)
{
    const QJsonValue keyValue = request.value("streamKey");
    const QString key = keyValue.toString();
    if (!keyValue.isString() || key.isEmpty() || key.size() > 64)
        return failure(QStringLiteral("'streamKey' must be a text of 1 to 64 characters"));
    if (m_streams.count(key))
        return failure(QStringLiteral("Stream %1 exists already").arg(key));
    if (int(m_streams.size()) >= kMaxStreams)
        return failure(QStringLiteral("Too many playback streams"));
    qint64 deviceId = 0;
    if (!wholeNumber(request.value("rstIDDevice"), &deviceId))
        return failure(QStringLiteral("'rstIDDevice' must be a whole number"));
    qint64 from = 0;
    qint64 to = std::numeric_limits<qint64>::max();
    qint64 start = 0;
    for (const char *name : {"dtStart", "dtEnd", "dtStartRange"}) {
        qint64 value = 0;
        if (request.contains(name) && !wholeNumber(request.value(name), &value))
            return failure(QStringLiteral("'%1' must be a time in milliseconds").arg(name));
    }
    wholeNumber(request.value("dtStart"), &from);
    wholeNumber(request.value("dtEnd"), &to);
    if (!wholeNumber(request.value("dtStartRange"), &start))
        start = from;

    QString reason;
    Stream stream;
    stream.pieces = piecesOf(deviceId, from, to, &reason);
    if (stream.pieces.isEmpty())
        return failure(reason);
    stream.client = client;
    stream.envelope = LocalServer::answerTo(request, {});
    stream.deviceId = deviceId;
    stream.relay = std::make_unique<RtpRelay>();
    if (!stream.relay->open())
        return failure(QStringLiteral("No free port for the stream"));
    stream.listFile = m_lists.filePath(QStringLiteral("%1.ffconcat").arg(stream.relay->outputPort()));
    QFile list(stream.listFile);
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failure(QStringLiteral("Cannot write the play list"));
    list.write("ffconcat version 1.0\n");
    for (const Piece &piece : qAsConst(stream.pieces))
        list.write(QStringLiteral("file %1\nduration %2\n").arg(concatQuoted(piece.path)).arg((piece.dtEnd - piece.dtStart) / 1000.0).toUtf8());
    list.close();
    stream.offsetMs = offsetOf(stream, start);
    const QString url = QStringLiteral("rtp://127.0.0.1:%1").arg(stream.relay->outputPort());
    const QString sdp = stream.relay->sdp(QStringLiteral("archive %1").arg(deviceId));
    const bool playNow = request.value("_playAfterCreate").toBool();
    const QJsonObject playRequest{{"playBackSpeed", request.value("playBackSpeed")}};
    m_log.line(QStringLiteral("archive stream %1: device %2, %3 pieces, on %4").arg(key).arg(deviceId).arg(stream.pieces.size()).arg(url));
    m_streams.emplace(key, std::move(stream));

    // The SDP follows the answer.
    QTimer::singleShot(0, this, [this, key, sdp, playNow, playRequest] {
        auto it = m_streams.find(key);
        if (it == m_streams.end())
            return;
        QJsonObject message = it->second.envelope;
        message.insert("action", "srNewSDP");
        message.insert("streamKey", key);
        message.insert("rstIDDevice", it->second.deviceId);
        message.insert("sdp", sdp);
        emit toClient(it->second.client, message);
        if (playNow)
            play(it->second, key, playRequest);
    });
    return {{"status", "OK"}, {"streamKey", key}, {"rstIDDevice", deviceId}, {"url", url},
            {"currentPosition", positionAt(m_streams.at(key), m_streams.at(key).offsetMs)}};
}

QList<ArchivePlayer::Piece> ArchivePlayer::piecesOf(qint64 deviceId, qint64 from, qint64 to, QString *reason) const
{
    QList<Piece> pieces;
    for (const QJsonObject &record : m_store.all(QStringLiteral("archive"))) {
        const qint64 dtStart = record.value("dtStart").toVariant().toLongLong();
        const qint64 dtEnd = record.value("dtEnd").toVariant().toLongLong();
        if (record.value("rstIDDevice").toVariant().toLongLong() != deviceId || dtEnd <= from || dtStart >= to
            || dtEnd <= dtStart)
            continue;
        // Only files inside the archive folder are ever handed to ffmpeg.
        const QString path = QFileInfo(m_folder, record.value("filePath").toString()).canonicalFilePath();
        if (m_archiveRoot.isEmpty() || !path.startsWith(m_archiveRoot + QLatin1Char('/')) || !QFileInfo(path).isFile()) {
            m_log.line(QStringLiteral("archive record %1 skipped: no file in the archive folder").arg(record.value("rowID").toVariant().toLongLong()));
            continue;
        }
        pieces.append({dtStart, dtEnd, path});
    }
    std::sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) { return a.dtStart < b.dtStart; });
    if (pieces.isEmpty())
        *reason = QStringLiteral("No recordings of device %1 in that time").arg(deviceId);
    return pieces;
}

bool ArchivePlayer::startReader(Stream &stream, const QString &key)
{
    stopReader(stream);
    stream.relay->newSender();
    stream.reader = std::make_unique<ChildProcess>();
    // Scaled input timestamps make the copied stream play faster or slower.
    stream.reader->startFfmpeg({"-re", "-ss", QString::number(stream.offsetMs / 1000.0, 'f', 3), "-itsscale",
                                QString::number(1 / stream.speed, 'f', 4), "-f", "concat",
                                "-safe", "0", "-i", stream.listFile, "-an", "-c:v", "copy", "-bsf:v",
                                "h264_mp4toannexb", "-f", "rtp", stream.relay->inputUrl()});
    if (!stream.reader->waitForStarted(10000)) {
        m_log.line(QStringLiteral("archive stream %1: ffmpeg did not start").arg(key));
        stream.reader.reset();
        return false;
    }
    connect(stream.reader.get(), qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, [this, key] {
        auto it = m_streams.find(key);
        if (it == m_streams.end())
            return;
        Stream &ended = it->second;
        m_log.line(QStringLiteral("archive stream %1: reached the end of its recordings").arg(key));
        ended.reader->disconnect(this);
        ended.reader.release()->deleteLater();
        ended.offsetMs = totalMs(ended);
        ended.playing = false;
        ended.ended = true;
    });
    stream.playing = true;
    stream.ended = false;
    stream.playingFor.start();
    return true;
}

void ArchivePlayer::stopReader(Stream &stream)
{
    if (stream.reader) {
        stream.reader->disconnect(this);
        stream.reader->stop();
        stream.reader.reset();
    }
    stream.playing = false;
}

QJsonObject ArchivePlayer::play(Stream &stream, const QString &key, const QJsonObject &request)
{
    const QJsonValue speedValue = request.value("playBackSpeed");
    if (!speedValue.isUndefined() && !speedValue.isNull()) {
        const double speed = speedValue.toDouble(-1);
        if (!(speed >= kMinSpeed && speed <= kMaxSpeed))
            return failure(QStringLiteral("'playBackSpeed' must be a number from %1 to %2").arg(kMinSpeed).arg(kMaxSpeed));
        if (speed != stream.speed && stream.playing) {
            stream.offsetMs = currentOffset(stream);
            stopReader(stream);
        }
        stream.speed = speed;
    }
    if (stream.ended)
        stream.offsetMs = 0;
    if (!stream.playing && !startReader(stream, key))
        return failure(QStringLiteral("The stream did not start"));
    return {{"status", "OK"}, {"streamKey", key}, {"playBackSpeed", stream.speed},
            {"currentPosition", positionAt(stream, currentOffset(stream))}};
}

QJsonObject ArchivePlayer::pause(Stream &stream, const QString &key)
{
    stream.offsetMs = currentOffset(stream);
    stopReader(stream);
    return {{"status", "OK"}, {"streamKey", key}, {"currentPosition", positionAt(stream, stream.offsetMs)}};
}

QJsonObject ArchivePlayer::jump(Stream &stream, const QString &key, const QJsonObject &request)
{
    // A time of day, or a step along the recording (gaps between pieces do not count).
    qint64 offset = 0;
    qint64 target = 0;
    if (wholeNumber(request.value("currentPosition"), &target)) {
        offset = offsetOf(stream, target);
    } else {
        const QJsonValue step = request.value("step");
        if (!step.isDouble() || qAbs(step.toDouble()) > 1e7)
            return failure(QStringLiteral("'currentPosition' (ms) or 'step' (s) must be a number"));
        const double direction = request.value("direction").toDouble(1) < 0 ? -1 : 1;
        offset = currentOffset(stream) + qint64(direction * step.toDouble() * 1000);
    }
    const bool wasPlaying = stream.playing;
    stopReader(stream);
    stream.offsetMs = qBound<qint64>(0, offset, qMax<qint64>(0, totalMs(stream) - 1));
    stream.ended = false;
    if (wasPlaying && !startReader(stream, key))
        return failure(QStringLiteral("The stream did not start"));
    const QJsonObject answer{{"status", "OK"}, {"streamKey", key}, {"currentPosition", positionAt(stream, stream.offsetMs)}};
    QTimer::singleShot(0, this, [this, key, answer] {
        auto it = m_streams.find(key);
        if (it == m_streams.end())
            return;
        QJsonObject seek = it->second.envelope;
        for (auto field = answer.begin(); field != answer.end(); ++field)
            seek.insert(field.key(), field.value());
        seek.insert("action", "saSeekVideo");
        emit toClient(it->second.client, seek);
        emit toClient(it->second.client, positionMessage(key, it->second));
    });
    return answer;
}

QJsonObject ArchivePlayer::remove(const QString &key)
{
    auto it = m_streams.find(key);
    stopReader(it->second);
    QFile::remove(it->second.listFile);
    m_streams.erase(it);
    m_log.line(QStringLiteral("archive stream %1 removed").arg(key));
    return {{"status", "OK"}, {"streamKey", key}};
}

void ArchivePlayer::dropClient(QObject *client)
{
    for (auto it = m_streams.begin(); it != m_streams.end();) {
        if (it->second.client == client || !it->second.client) {
            stopReader(it->second);
            QFile::remove(it->second.listFile);
            m_log.line(QStringLiteral("archive stream %1 removed with its client").arg(it->first));
            it = m_streams.erase(it);
        } else {
            ++it;
        }
    }
}

qint64 ArchivePlayer::currentOffset(const Stream &stream) const
{
    if (!stream.playing)
        return stream.offsetMs;
    return qMin(stream.offsetMs + qint64(double(stream.playingFor.elapsed()) * stream.speed), totalMs(stream));
}

qint64 ArchivePlayer::totalMs(const Stream &stream)
{
    qint64 total = 0;
    for (const Piece &piece : stream.pieces)
        total += piece.dtEnd - piece.dtStart;
    return total;
}

// The recorded time at a point of the pieces laid end to end.
qint64 ArchivePlayer::positionAt(const Stream &stream, qint64 offset)
{
    for (const Piece &piece : stream.pieces) {
        const qint64 length = piece.dtEnd - piece.dtStart;
        if (offset < length)
            return piece.dtStart + offset;
        offset -= length;
    }
    return stream.pieces.isEmpty() ? 0 : stream.pieces.last().dtEnd;
}

// The point of the pieces laid end to end that shows a recorded time; a time
// between pieces gives the start of the next one.
qint64 ArchivePlayer::offsetOf(const Stream &stream, qint64 position)
{
    qint64 before = 0;
    for (const Piece &piece : stream.pieces) {
        if (position < piece.dtEnd)
            return before + qMax<qint64>(0, position - piece.dtStart);
        before += piece.dtEnd - piece.dtStart;
    }
    return before;
}

QJsonObject ArchivePlayer::positionMessage(const QString &key, const Stream &stream) const
{
    QJsonObject message = stream.envelope;
    message.insert("action", "srPosition");
    message.insert("streamKey", key);
    message.insert("rstIDDevice", stream.deviceId);
    message.insert("currentPosition", positionAt(stream, currentOffset(stream)));
    message.insert("state", stream.playing ? "play" : stream.ended ? "ended" : "paused");
    message.insert("playBackSpeed", stream.speed);
    return message;
}

void ArchivePlayer::sendPositions()
{
    for (const auto &entry : m_streams)
        emit toClient(entry.second.client, positionMessage(entry.first, entry.second));
}

} // namespace Standin
