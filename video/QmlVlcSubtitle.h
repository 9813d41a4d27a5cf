#pragma once

#include <memory>

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

#include "vlc/playlist_player_core.h"

class QNetworkReply;

// Subtitle tracks of the current media, plus subtitles loaded from files,
// URLs and memory. Downloaded and in-memory subtitles live in a temporary
// directory per media, dropped when the media changes.
class QmlVlcSubtitle : public QObject
{
    Q_OBJECT
    Q_PROPERTY(unsigned count READ count)
    Q_PROPERTY(int track READ track WRITE setTrack)
    Q_PROPERTY(int delay READ delay WRITE setDelay)

public:
    enum Type
    {
        Microdvd = 0,
        Subrip = 1,
        Dks = 16,
        Vtt = 18,
    };
    Q_ENUM(Type)

    static constexpr int maxLoadedFiles = 30;
    static constexpr int maxTextSize = 1048576;

    explicit QmlVlcSubtitle(vlc::playlist_player_core& player);
    ~QmlVlcSubtitle() override;

    unsigned count() const { return m_player.subtitles().track_count(); }
    int track() const { return m_player.subtitles().get_track(); }
    void setTrack(int track) { m_player.subtitles().set_track(static_cast<unsigned>(track)); }
    int delay() const { return static_cast<int>(m_player.subtitles().get_delay()); }
    void setDelay(int ms) { m_player.subtitles().set_delay(ms); }

    Q_INVOKABLE QString description(unsigned i) const;
    Q_INVOKABLE void load(const QUrl& url);
    Q_INVOKABLE bool loadFromString(const QByteArray& subtitles, Type type);

    // Aborts a download and drops the files of the previous media.
    void mediaChanged();

signals:
    void loadFinished();
    void loadError();

private slots:
    void networkDataReady();
    void downloadFinished();

private:
    bool ensureTempDir();
    bool loadFile(const QString& path);

    vlc::playlist_player_core& m_player;
    // Made on the first download: most players never fetch subtitles.
    std::unique_ptr<QNetworkAccessManager> m_network;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QTemporaryFile> m_download;
    std::unique_ptr<QTemporaryDir> m_tempDir;
    int m_loadedFiles = 0;
};
