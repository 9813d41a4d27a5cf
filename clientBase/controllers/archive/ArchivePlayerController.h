#pragma once

#include "controllers/base/ControllerDesktopBase.h"

#include <QMap>

namespace LynClientController {

// Playback streams of recorded video ("archivePlayer"): asks the local server
// to create, play, pause, jump and remove streams it keys by a fresh UUID,
// keeps what it knows of each, relays the answers and writes their SDP files.
class ArchivePlayerController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit ArchivePlayerController(QObject *parent = nullptr);

    bool handleMessage(const QString &actionName, const QJsonObject &mapParams) override;

    Q_INVOKABLE QJsonObject trCreateVideo(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trPlayVideo(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trPauseVideo(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trJumpVideo(QJsonObject mapParams);
    Q_INVOKABLE QJsonObject trRemoveVideo(QJsonObject mapParams);
    Q_INVOKABLE QString getStremKeyByIDDevice(int id) const;
    Q_INVOKABLE void clearStreamMap();
    // Writes entry's "sdp" to "./sdp_archive/<streamKey>.sdp"; returns the
    // absolute path, or an empty text when there is no SDP or the key is not a
    // plain file name.
    Q_INVOKABLE QString createSDPFile(QJsonObject entry);

    // The stream entry of a key; empty when the key is unknown.
    QJsonObject streamEntry(const QString &streamKey) const;

signals:
    void saCreateVideo(QJsonObject mapParams);
    void saPlayVideo(QJsonObject mapParams);
    void saPauseVideo(QJsonObject mapParams);
    void saSeekVideo(QJsonObject mapParams);
    void saJumpVideo(QJsonObject mapParams);
    void saRemoveVideo(QJsonObject mapParams);
    void srPosition(QJsonObject mapParams);
    void srNewSDP(QJsonObject mapParams);

private:
    // Sends mapParams for a stream in the table and marks it; empty when the key is unknown.
    QJsonObject sendForKnownStream(const QString &action, const QJsonObject &mapParams, const QString &status);
    // Sets the status of the message's stream; false when the key is unknown.
    bool markStream(const QJsonObject &mapParams, const QString &status);

    QMap<QString, QJsonObject> m_streams;
};

} // namespace LynClientController
