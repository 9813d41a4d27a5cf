#pragma once

#include "ChildProcess.h"
#include "RtpRelay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <map>
#include <memory>

namespace Standin {

class ServerLog;
class TableStore;

// Playback of recordings ("archivePlayer"): one RTP stream per stream key,
// made by ffmpeg from the device's archive pieces in time order, starting
// at the requested time. Play, pause, jump and a change of speed replace the
// reading ffmpeg; the relay keeps the stream (and its SDP) the same throughout.
class ArchivePlayer : public QObject
{
    Q_OBJECT
public:
    ArchivePlayer(TableStore &store, ServerLog &log, const QString &folder, QObject *parent = nullptr);
    ~ArchivePlayer() override;

    // The answer's payload; "srNewSDP" and "srPosition" follow through toClient.
    QJsonObject handle(QObject *client, const QString &action, const QJsonObject &request);
    void dropClient(QObject *client);
    int streamCount() const { return int(m_streams.size()); }

signals:
    void toClient(QObject *client, const QJsonObject &message);

private:
    struct Piece
    {
        qint64 dtStart;
        qint64 dtEnd;
        QString path;
    };
    struct Stream
    {
        QPointer<QObject> client;
        QJsonObject envelope; // ctl and "_" keys of the create request
        qint64 deviceId = 0;
        QList<Piece> pieces;
        QString listFile;
        qint64 offsetMs = 0; // playback point on the pieces laid end to end
        bool playing = false;
        bool ended = false;
        double speed = 1; // recorded seconds per second while playing
        QElapsedTimer playingFor;
        std::unique_ptr<ChildProcess> reader;
        std::unique_ptr<RtpRelay> relay;
    };

    QJsonObject create(QObject *client, const QJsonObject &request);
    QJsonObject play(Stream &stream, const QString &key, const QJsonObject &request);
    QJsonObject pause(Stream &stream, const QString &key);
    QJsonObject jump(Stream &stream, const QString &key, const QJsonObject &request);
    QJsonObject remove(const QString &key);
    QList<Piece> piecesOf(qint64 deviceId, qint64 from, qint64 to, QString *reason) const;
    bool startReader(Stream &stream, const QString &key);
    void stopReader(Stream &stream);
    qint64 currentOffset(const Stream &stream) const;
    static qint64 totalMs(const Stream &stream);
    static qint64 positionAt(const Stream &stream, qint64 offset);
    static qint64 offsetOf(const Stream &stream, qint64 position);
    QJsonObject positionMessage(const QString &key, const Stream &stream) const;
    void sendPositions();

    TableStore &m_store;
    ServerLog &m_log;
    QDir m_folder;
    QString m_archiveRoot;
    QTemporaryDir m_lists;
    QTimer m_positionTimer;
    std::map<QString, Stream> m_streams;
};

} // namespace Standin
