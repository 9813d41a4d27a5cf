#pragma once

#include <atomic>
#include <memory>

#include <QSize>

#include <QEvent>
#include <QTimer>

#include "QmlVlcAudio.h"
#include "QmlVlcCurrentMedia.h"
#include "QmlVlcInput.h"
#include "QmlVlcPlaylist.h"
#include "QmlVlcSubtitle.h"
#include "QmlVlcVideo.h"
#include "QmlVlcVideoSource.h"
#include "vlc/playlist_player_core.h"

// Common face of the QML players: turns libvlc events (libvlc's threads)
// into signals on the GUI thread and advances the playlist on end or error.
class QmlVlcPlayerProxy : public QmlVlcVideoSource
{
    Q_OBJECT
    Q_PROPERTY(QString vlcVersion READ vlcVersion CONSTANT)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged)
    Q_PROPERTY(double length READ length NOTIFY mediaPlayerLengthChanged)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(QString mrl READ mrl WRITE play)
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY mediaPlayerPositionChanged)
    Q_PROPERTY(double time READ time WRITE setTime NOTIFY mediaPlayerTimeChanged)
    Q_PROPERTY(unsigned volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(QmlVlcInput* input READ input CONSTANT)
    Q_PROPERTY(QmlVlcVideo* video READ video CONSTANT)
    Q_PROPERTY(QmlVlcAudio* audio READ audio CONSTANT)
    Q_PROPERTY(QmlVlcSubtitle* subtitle READ subtitle CONSTANT)
    Q_PROPERTY(QmlVlcPlaylist* playlist READ playlist CONSTANT)
    Q_PROPERTY(QmlVlcMedia* mediaDescription READ mediaDescription CONSTANT)
    Q_PROPERTY(bool stalled READ stalled NOTIFY stalledChanged)
    Q_PROPERTY(int frameAge READ frameAge NOTIFY frameAgeChanged)
    Q_PROPERTY(int stallTimeout READ stallTimeout WRITE setStallTimeout NOTIFY stallTimeoutChanged)
    Q_PROPERTY(QSize frameSize READ frameSize NOTIFY frameSizeChanged)
    Q_PROPERTY(double frameRate READ frameRate NOTIFY frameRateChanged)
    Q_PROPERTY(bool decoding READ decoding NOTIFY decodingChanged)
    Q_PROPERTY(bool decodeOnlyWhenSeen READ decodeOnlyWhenSeen WRITE setDecodeOnlyWhenSeen NOTIFY decodeOnlyWhenSeenChanged)

public:
    enum State
    {
        NothingSpecial = libvlc_NothingSpecial,
        Opening = libvlc_Opening,
        Buffering = libvlc_Buffering,
        Playing = libvlc_Playing,
        Paused = libvlc_Paused,
        Stopped = libvlc_Stopped,
        Ended = libvlc_Ended,
        Error = libvlc_Error,
        // Asked to stop; libvlc's stop is still running on the worker.
        Stopping,
    };
    Q_ENUM(State)

    // A libvlc event copied on libvlc's thread and posted to the proxy.
    class LibvlcEvent : public QEvent
    {
    public:
        static constexpr QEvent::Type eventType = QEvent::User;
        static constexpr size_t copiedBytes = 32;

        explicit LibvlcEvent(const libvlc_event_t& event);
        const libvlc_event_t& libvlcEvent() const { return m_event; }

    private:
        libvlc_event_t m_event;
    };

    explicit QmlVlcPlayerProxy(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent = nullptr);

    void classBegin() override;

    vlc::playlist_player_core& player() { return *m_player; }

    QString vlcVersion() const;
    bool playing() const { return state() == Playing; }
    double length() const { return static_cast<double>(m_player->playback().get_length()); }
    State state() const;
    QString mrl() const;
    double position() const { return m_player->playback().get_position(); }
    void setPosition(double position) { m_player->playback().set_position(static_cast<float>(position)); }
    double time() const { return static_cast<double>(m_player->playback().get_time()); }
    void setTime(double time) { m_player->playback().set_time(static_cast<int64_t>(time)); }
    unsigned volume() const { return m_player->audio().get_volume(); }
    void setVolume(unsigned volume) { m_player->audio().set_volume(volume); }

    QmlVlcInput* input() { return &m_input; }
    QmlVlcVideo* video() { return &m_video; }
    QmlVlcAudio* audio() { return &m_audio; }
    QmlVlcSubtitle* subtitle() { return &m_subtitle; }
    QmlVlcPlaylist* playlist() { return &m_playlist; }
    QmlVlcMedia* mediaDescription() { return &m_currentMedia; }

    // No frame for this long while playing is asked for: stalled.
    static constexpr int defaultStallTimeoutMs = 3000;
    bool stalled() const { return m_stalled; }
    int frameAge() const { return m_frameAge; }
    int stallTimeout() const { return m_stallTimeout; }
    void setStallTimeout(int ms);
    QSize frameSize() const { return videoOutput().frameSize(); }
    double frameRate() const { return videoOutput().frameRate(); }
    // False while no surface of this player can be seen and video decoding is off.
    bool decoding() const { return !m_videoSuspended; }
    // True: a player with no surface at all counts as unseen too (a camera of
    // the wall that no tile of the chosen layout shows); false: it decodes,
    // as whoever plays it may read its pictures without showing them.
    bool decodeOnlyWhenSeen() const { return m_decodeOnlyWhenSeen; }
    void setDecodeOnlyWhenSeen(bool only);
    // Times a live stream fell behind and was started afresh.
    unsigned liveCatchUps() const { return m_liveCatchUps; }
    // Starts a live input afresh, dropping what waits unread, while the tile
    // keeps its last picture and its state: done on its own when the player
    // falls behind its stream.
    void catchUpWithLive();
    // A tile that comes into view decodes again at once, not at the next health check.
    void surfaceShownOrHidden() override { followVisibility(); }

    Q_INVOKABLE void play(const QString& mrl);
    Q_INVOKABLE void play();
    Q_INVOKABLE void pause();
    Q_INVOKABLE void togglePause() { m_player->toggle_pause(); }
    Q_INVOKABLE void stop();
    Q_INVOKABLE void mute() { m_player->audio().set_mute(true); }
    Q_INVOKABLE void unMute() { m_player->audio().set_mute(false); }
    Q_INVOKABLE void toggleMute() { m_player->audio().toggle_mute(); }

signals:
    void playingChanged();
    void stateChanged(State state);
    void mediaPlayerMediaChanged();
    void mediaPlayerNothingSpecial();
    void mediaPlayerOpening();
    void mediaPlayerBuffering(float percents);
    void mediaPlayerPlaying();
    void mediaPlayerPaused();
    void mediaPlayerForward();
    void mediaPlayerBackward();
    void mediaPlayerEncounteredError();
    void mediaPlayerEndReached();
    void mediaPlayerStopped();
    void mediaPlayerTitleChanged();
    void mediaPlayerTimeChanged(double time);
    void mediaPlayerPositionChanged(float position);
    void mediaPlayerSeekableChanged(bool seekable);
    void mediaPlayerPausableChanged(bool pausable);
    void mediaPlayerLengthChanged(double length);
    void volumeChanged();
    void stalledChanged();
    void frameAgeChanged();
    void stallTimeoutChanged();
    void frameSizeChanged();
    void frameRateChanged();
    void decodingChanged();
    void decodeOnlyWhenSeenChanged();

protected:
    bool event(QEvent* e) override;
    virtual void handleLibvlcEvent(const libvlc_event_t& event);
    // Stops listening to libvlc; the players call it first on destruction.
    void detachListener();

private slots:
    void currentItemEndReached();

private:
    // Listens on libvlc's threads and posts each event to the proxy. A member
    // rather than a base, so that its virtual table stays whole while the
    // player's destructor runs and has not yet unregistered it.
    struct EventRelay : vlc::media_player_events_callback
    {
        explicit EventRelay(QmlVlcPlayerProxy* proxy) : proxy(proxy) {}
        void media_player_event(const libvlc_event_t* event) override;
        QmlVlcPlayerProxy* proxy;
    };
    void setWantPlaying(bool want);
    void checkHealth();
    void setStalled(bool stalled);
    void followVisibility();
    void followLiveLag();
    qint64 lastNewPictureMs(qint64 now);

    std::shared_ptr<vlc::playlist_player_core> m_player;
    EventRelay m_eventRelay{this};
    QmlVlcAudio m_audio;
    QmlVlcInput m_input;
    QmlVlcPlaylist m_playlist;
    QmlVlcSubtitle m_subtitle;
    QmlVlcVideo m_video;
    QmlVlcCurrentMedia m_currentMedia;
    QTimer m_errorTimer;
    QTimer m_healthTimer;
    bool m_stopping = false;
    bool m_wantPlaying = false;
    qint64 m_playAskedMs = 0;
    bool m_stalled = false;
    int m_frameAge = 0;
    int m_stallTimeout = defaultStallTimeoutMs;
    bool m_videoSuspended = false;
    bool m_decodeOnlyWhenSeen = false;
    qint64 m_unseenSinceMs = 0;
    // Pictures shown when decoding was turned off: more mean a new input decodes.
    unsigned m_framesAtSuspend = 0;
    // The video track chosen before decoding was turned off; the worker writes it.
    std::shared_ptr<std::atomic<int>> m_suspendedTrack = std::make_shared<std::atomic<int>>(-1);
    // The UDP port a live stream arrives on, 0 for other media.
    quint16 m_livePort = 0;
    int m_behindTicks = 0;
    // Pictures shown when the live input last (re)started, and when it showed
    // its first own one: an input that opens leaves the stream in the socket,
    // and reads it some time after its first picture.
    unsigned m_framesAtLiveStart = 0;
    qint64 m_liveShowingSinceMs = 0;
    // When the current media was asked to play.
    qint64 m_mediaPlayedMs = 0;
    unsigned m_liveCatchUps = 0;
    // Stopped events of catch-up restarts still to come; the worker counts them up.
    std::shared_ptr<std::atomic<int>> m_catchUpRestarts = std::make_shared<std::atomic<int>>(0);
    // From the catch-up until libvlc plays the new input: its Opening and
    // Buffering are not the tile's.
    bool m_catchingUp = false;
    // When the last catch-up began, until its input shows pictures again; when
    // its stream was last seen arriving, in the socket or read by libvlc.
    qint64 m_catchUpStartMs = 0;
    qint64 m_catchUpArrivalMs = 0;
    long long m_demuxedBytes = -1;
    // libvlc's count of pictures shown, which a still picture advances too.
    int m_shownPictures = -1;
    qint64 m_shownPictureMs = 0;
};

Q_DECLARE_METATYPE(QmlVlcPlayerProxy::State)
