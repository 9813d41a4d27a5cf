#pragma once

#include "ChildProcess.h"
#include "RtpRelay.h"

#include <QJsonObject>
#include <QObject>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace Standin {

class ServerLog;
class TableStore;

// One live RTP stream per playable device: ffmpeg draws a test pattern with
// the device's name and a running clock, the relay hands it to a fixed port,
// and the device record's "sdp" describes it. A device whose source cannot
// be opened has no stream, an empty "sdp" and "recState" "offline".
class LiveStreams : public QObject
{
    Q_OBJECT
public:
    LiveStreams(TableStore &store, ServerLog &log, const QString &clip = QString(), QObject *parent = nullptr);
    ~LiveStreams() override;

    void syncAll();
    // Starts, restarts or stops the device's stream after its record changed.
    void sync(qint64 deviceId);
    bool restart(qint64 deviceId, QString *reason);
    // Cuts the device's stream off from its players, or lets it through again.
    bool setCut(qint64 deviceId, bool cut);
    QList<qint64> streamingDevices() const;
    // Copies the device's live packets to a port on 127.0.0.1 too; false when it has no stream.
    bool copyTo(qint64 deviceId, quint16 port);
    void stopCopy(qint64 deviceId, quint16 port);

signals:
    void recordChanged(const QString &table, const QString &notification, qint64 rowId);

private:
    struct Stream
    {
        std::unique_ptr<ChildProcess> process;
        std::unique_ptr<RtpRelay> relay;
        QString source;
        QString name;
    };
    bool startProcess(qint64 deviceId, Stream &stream);
    void stop(qint64 deviceId);
    void setRecord(qint64 deviceId, const QString &sdp, const QString &recState);

    TableStore &m_store;
    ServerLog &m_log;
    const QString m_clip;
    QTemporaryDir m_captions;
    std::map<qint64, Stream> m_streams;
};

} // namespace Standin
