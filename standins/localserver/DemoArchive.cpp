#include "DemoArchive.h"

#include "CameraNetwork.h"
#include "ServerLog.h"
#include "TableStore.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>

namespace Standin {

namespace {
constexpr int kParallelJobs = 2;
constexpr int kNiceness = 10; // recording the demo must not starve the live streams
const QStringList kEventLabels{"person", "car", "dog", "bicycle", "cat", "truck"};
} // namespace

DemoArchive::DemoArchive(TableStore &store, ServerLog &log, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_log(log)
    , m_folder(folder)
{
}

DemoArchive::~DemoArchive()
{
    for (auto &job : m_jobs) {
        if (job->process)
            job->process->disconnect(this);
    }
}

void DemoArchive::start()
{
    m_elapsed.start();
    addDevicesAndSettings();
    for (const QJsonObject &device : m_store.all(QStringLiteral("cam"))) {
        auto job = std::make_unique<Job>();
        job->deviceId = device.value("rowID").toVariant().toLongLong();
        job->deviceName = device.value("deviceName").toString();
        job->pieces = layOut(job->deviceId);
        m_jobs.push_back(std::move(job));
    }
    std::reverse(m_jobs.begin(), m_jobs.end()); // records come newest first; record the oldest device first
    m_log.line(QStringLiteral("recording the demo archive of %1 devices").arg(m_jobs.size()));
    for (int i = 0; i < kParallelJobs; ++i)
        startNext();
    if (isFinished())
        emit finished(m_ok, m_elapsed.elapsed());
}

void DemoArchive::addDevicesAndSettings()
{
    int tile = 0;
    for (const CameraNetwork::Camera &camera : CameraNetwork::cameras().mid(0, 4)) {
        const qint64 rowId = m_store.insert("cam", {{"deviceName", camera.name}, {"camType", camera.camType},
                                                    {"source", camera.source()}, {"realSource", camera.source()},
                                                    {"tileIndex", tile++}, {"recState", "recording"}});
        emit recordChanged("cam", "srInserted", rowId);
    }
    m_store.insert("devicePassword", {{"login", "admin"}, {"password", "admin123"}});
    m_store.insert("telegramSettings", {{"phone", ""}, {"code", ""}, {"enabled", false}, {"groupName", ""}, {"isLink", false}});
    m_store.insert("youtubeSettings", {{"privacyType", 1}, {"rstIDStreamDevice", -1},
                                       {"serverURL", "rtmp://a.rtmp.youtube.com/live2"}, {"channelName", "Undefined channel"}});
    m_store.insert("onlineAccessSettings", {{"enabled", true}});
}

QList<DemoArchive::Piece> DemoArchive::layOut(qint64 deviceId) const
{
    QRandomGenerator random(quint32(deviceId) * 7919u + 17u);
    const qint64 first = QDateTime(QDate::currentDate().addDays(-1), QTime(0, 0)).toMSecsSinceEpoch();
    // Up to a few minutes ago; in the small hours up to six o'clock, so that
    // today always has pieces to show.
    const qint64 last = std::max(QDateTime::currentMSecsSinceEpoch() - 5 * 60 * 1000,
                                 QDateTime(QDate::currentDate(), QTime(6, 0)).toMSecsSinceEpoch());
    const qint64 slot = (last - first) / kPiecesPerDevice;
    QList<Piece> pieces;
    for (int i = 0; i < kPiecesPerDevice; ++i) {
        Piece piece;
        // Whole seconds, so each piece starts on a key frame of the recording.
        piece.dtStart = (first + i * slot + qint64(random.bounded(0.6) * double(slot))) / 1000 * 1000;
        piece.seconds = 5 + random.bounded(6);
        piece.type = random.bounded(3) == 0 ? 1 : 0;
        piece.detected = piece.type == 1 ? kEventLabels.at(random.bounded(kEventLabels.size())) : QString();
        pieces.append(piece);
    }
    return pieces;
}

void DemoArchive::startNext()
{
    if (m_next >= m_jobs.size())
        return;
    Job &job = *m_jobs.at(m_next++);
    const QString folder = QStringLiteral("archive/%1").arg(job.deviceId);
    m_folder.mkpath(folder);
    const QString caption = m_captions.filePath(QStringLiteral("%1.txt").arg(job.deviceId));
    QFile file(caption);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(job.deviceName.left(80).toUtf8());
    file.close();
    QStringList cuts;
    int total = 0;
    for (const Piece &piece : qAsConst(job.pieces)) {
        if (total > 0)
            cuts.append(QString::number(total));
        total += piece.seconds;
    }
    const QString text = QStringLiteral(":fontsize=18:fontcolor=white:box=1:boxcolor=black@0.6:boxborderw=4");
    const QString filter = QStringLiteral("testsrc2=size=480x270:rate=25,drawtext=textfile='%1':x=8:y=8%2,"
                                          "drawtext=text='REC %{pts\\:hms}':x=8:y=36%2")
                               .arg(caption, text);
    job.process = std::make_unique<ChildProcess>();
    connect(job.process.get(), qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, &job] { onJobFinished(job); });
    job.process->startFfmpeg({"-f", "lavfi", "-i", filter, "-t", QString::number(total), "-an", "-c:v", "libx264",
                              "-preset", "ultrafast", "-crf", "30", "-pix_fmt", "yuv420p", "-g", "25",
                              "-force_key_frames", "expr:gte(t,n_forced)", "-f", "segment", "-segment_times",
                              cuts.join(','), "-segment_format", "mp4", "-reset_timestamps", "1",
                              m_folder.filePath(folder + QStringLiteral("/%03d.mp4"))},
                             kNiceness);
    ++m_running;
}

void DemoArchive::onJobFinished(Job &job)
{
    job.recorded = job.process->exitStatus() == QProcess::NormalExit && job.process->exitCode() == 0;
    job.process->disconnect(this);
    job.process.release()->deleteLater();
    if (job.recorded)
        takeSnapshots(job);
    else
        addRecords(job);
}

QString DemoArchive::piecePath(const Job &job, int index) const
{
    return QStringLiteral("archive/%1/%2.mp4").arg(job.deviceId).arg(index, 3, 10, QLatin1Char('0'));
}

QString DemoArchive::snapshotPath(const Job &job, int index) const
{
    return m_captions.filePath(QStringLiteral("%1-%2.jpg").arg(job.deviceId).arg(index));
}

// One ffmpeg for all events of a device: a frame from the middle of each piece.
void DemoArchive::takeSnapshots(Job &job)
{
    QStringList inputs;
    QStringList outputs;
    int input = 0;
    for (int i = 0; i < job.pieces.size(); ++i) {
        if (job.pieces.at(i).type != 1)
            continue;
        inputs << "-ss" << QString::number(job.pieces.at(i).seconds / 2) << "-i" << m_folder.filePath(piecePath(job, i));
        outputs << "-map" << QStringLiteral("%1:v").arg(input++) << "-frames:v" << "1" << "-vf" << "scale=160:90"
                << "-q:v" << "8" << "-y" << snapshotPath(job, i);
    }
    if (input == 0) {
        addRecords(job);
        return;
    }
    job.process = std::make_unique<ChildProcess>();
    connect(job.process.get(), qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, [this, &job] {
        job.process->disconnect(this);
        job.process.release()->deleteLater();
        addRecords(job);
    });
    job.process->startFfmpeg(inputs + outputs, kNiceness);
}

void DemoArchive::addRecords(Job &job)
{
    --m_running;
    int index = 0;
    qint64 lastRowId = -1;
    for (const Piece &piece : qAsConst(job.pieces)) {
        const QString path = piecePath(job, index);
        QFile snapshot(snapshotPath(job, index++));
        if (!job.recorded || !QFile::exists(m_folder.filePath(path))) {
            m_ok = false;
            m_log.line(QStringLiteral("demo archive: %1 was not recorded").arg(path));
            continue;
        }
        QJsonObject record{{"rstIDDevice", job.deviceId}, {"type", piece.type}, {"dtStart", piece.dtStart},
                           {"dtEnd", piece.dtStart + piece.seconds * 1000}, {"duration", piece.seconds},
                           {"xOffset", QDateTime::fromMSecsSinceEpoch(piece.dtStart).time().msecsSinceStartOfDay() / 1000},
                           {"filePath", path}, {"secondsMap", ""}, {"final", true}, {"detected", piece.detected},
                           {"deviceName", job.deviceName}};
        if (piece.type == 1 && snapshot.open(QIODevice::ReadOnly))
            record.insert("image", QString::fromLatin1(snapshot.readAll().toBase64()));
        else if (piece.type == 1)
            m_log.line(QStringLiteral("demo archive: no snapshot of %1").arg(path));
        lastRowId = qMax(lastRowId, m_store.insert("archive", record));
    }
    // One notification per device: clients ask for everything newer anyway.
    if (lastRowId >= 0)
        emit recordChanged("archive", "srInserted", lastRowId);
    m_log.line(QStringLiteral("demo archive of device %1 recorded").arg(job.deviceId));
    startNext();
    if (isFinished()) {
        m_log.line(QStringLiteral("demo archive recorded in %1 ms").arg(m_elapsed.elapsed()));
        emit finished(m_ok, m_elapsed.elapsed());
    }
}

} // namespace Standin
