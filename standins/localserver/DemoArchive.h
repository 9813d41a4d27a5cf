#pragma once

#include "ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace Standin {

class ServerLog;
class TableStore;

// The demo installation of a new server folder: four devices that the
// simulated network can open, one record per settings table, and a real
// archive recorded by ffmpeg: a few dozen short H.264 pieces per device,
// spread over yesterday and today, with archive records that match them.
// Event pieces carry a small JPEG snapshot of themselves ("image", base64).
class DemoArchive : public QObject
{
    Q_OBJECT
public:
    DemoArchive(TableStore &store, ServerLog &log, const QString &folder, QObject *parent = nullptr);
    ~DemoArchive() override;

    // Fills the tables and starts recording; finished() follows.
    void start();
    bool isFinished() const { return m_next == m_jobs.size() && m_running == 0; }

    static constexpr int kPiecesPerDevice = 30;

signals:
    void recordChanged(const QString &table, const QString &notification, qint64 rowId);
    void finished(bool ok, qint64 elapsedMs);

private:
    struct Piece
    {
        qint64 dtStart;
        int seconds;
        int type;
        QString detected;
    };
    struct Job
    {
        qint64 deviceId;
        QString deviceName;
        QList<Piece> pieces;
        bool recorded = false;
        std::unique_ptr<ChildProcess> process;
    };
    void addDevicesAndSettings();
    QList<Piece> layOut(qint64 deviceId) const;
    void startNext();
    void onJobFinished(Job &job);
    void takeSnapshots(Job &job);
    void addRecords(Job &job);
    QString piecePath(const Job &job, int index) const;
    QString snapshotPath(const Job &job, int index) const;

    TableStore &m_store;
    ServerLog &m_log;
    QDir m_folder;
    QTemporaryDir m_captions;
    std::vector<std::unique_ptr<Job>> m_jobs;
    size_t m_next = 0;
    int m_running = 0;
    QElapsedTimer m_elapsed;
    bool m_ok = true;
};

} // namespace Standin
