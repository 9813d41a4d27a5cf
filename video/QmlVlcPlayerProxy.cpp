#include "QmlVlcPlayerProxy.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "QmlVlcConfig.h"
#include "QmlVlcLog.h"
#include "QmlVlcReceiveBacklog.h"
#include "QmlVlcTsan.h"

namespace {
constexpr int errorAdvanceMs = 1000;
constexpr int healthCheckMs = 250;
// A player unseen this long stops decoding video.
constexpr qint64 unseenBeforeSuspendMs = 1000;
// A live player that leaves this much of its stream unread in the socket for
// catchUpTicks health checks in a row has fallen behind live.
constexpr qint64 behindLiveBytes = 32 * 1024;
constexpr int catchUpTicks = 3;
// A live input that starts reads what waited meanwhile within this time of its first picture.
constexpr qint64 liveSettleMs = 2000;
// A catch-up restart is no loss of signal while the stream still arrives,
// until the new input has shown pictures for a while or libvlc has had this
// long to play it; from then on the stall time-out counts as after any play.
constexpr qint64 catchUpGraceMs = 10000;
constexpr qint64 catchUpArrivalMs = 1000;
constexpr unsigned catchUpPictures = 5;
constexpr qint64 catchUpFlowMs = 1000;

void restoreVideoTrack(libvlc_media_player_t* mp, int id)
{
    if (id < 0) {
        // None was chosen before: take the first real one.
        libvlc_track_description_t* list = libvlc_video_get_track_description(mp);
        for (const libvlc_track_description_t* entry = list; entry && id < 0; entry = entry->p_next)
            id = entry->i_id;
        if (list)
            libvlc_track_description_list_release(list);
    }
    if (id >= 0)
        libvlc_video_set_track(mp, id);
}

// Turns video decoding off, keeping the track to restore; a second call (for
// a new input, which chose its track afresh) keeps the first one's track.
void suspendVideoTrack(libvlc_media_player_t* mp, std::atomic<int>& track)
{
    const int current = libvlc_video_get_track(mp);
    if (current >= 0)
        track.store(current);
    libvlc_video_set_track(mp, -1);
}
} // namespace

QmlVlcPlayerProxy::LibvlcEvent::LibvlcEvent(const libvlc_event_t& event)
    : QEvent(eventType)
    , m_event()
{
    static_assert(sizeof(libvlc_event_t) >= copiedBytes, "libvlc event record is smaller than expected");
    std::memcpy(&m_event, &event, copiedBytes);
}

QmlVlcPlayerProxy::QmlVlcPlayerProxy(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent)
    : QmlVlcVideoSource(player, parent)
    , m_player(std::move(player))
    , m_audio(*m_player)
    , m_input(*m_player)
    , m_playlist(this, *m_player)
    , m_subtitle(*m_player)
    , m_video(*m_player)
    , m_currentMedia(this)
{
    qRegisterMetaType<QmlVlcPlayerProxy::State>("QmlVlcPlayerProxy::State");

    m_errorTimer.setSingleShot(true);
    m_errorTimer.setInterval(errorAdvanceMs);
    connect(this, &QmlVlcPlayerProxy::mediaPlayerEncounteredError, &m_errorTimer, qOverload<>(&QTimer::start));
    connect(&m_errorTimer, &QTimer::timeout, this, &QmlVlcPlayerProxy::currentItemEndReached);
    connect(this, &QmlVlcPlayerProxy::mediaPlayerEndReached, &m_errorTimer, &QTimer::stop);
    connect(this, &QmlVlcPlayerProxy::mediaPlayerEndReached, this, &QmlVlcPlayerProxy::currentItemEndReached);
    connect(this, &QmlVlcPlayerProxy::mediaPlayerMediaChanged, &m_errorTimer, &QTimer::stop);
    connect(this, &QmlVlcPlayerProxy::mediaPlayerMediaChanged, &m_subtitle, &QmlVlcSubtitle::mediaChanged);
    connect(&m_audio, &QmlVlcAudio::volumeChanged, this, &QmlVlcPlayerProxy::volumeChanged);

    QmlVlcVideoOutput& output = videoOutput();
    connect(&output, &QmlVlcVideoOutput::frameSizeChanged, this, &QmlVlcPlayerProxy::frameSizeChanged);
    connect(&output, &QmlVlcVideoOutput::frameRateChanged, this, &QmlVlcPlayerProxy::frameRateChanged);
    connect(&output, &QmlVlcVideoOutput::frameDelivered, this, [this] { setStalled(false); });
    connect(&m_healthTimer, &QTimer::timeout, this, &QmlVlcPlayerProxy::checkHealth);
    m_healthTimer.start(healthCheckMs);
}

void QmlVlcPlayerProxy::classBegin()
{
    m_player->register_callback(&m_eventRelay);
    QmlVlcVideoSource::classBegin();
}

void QmlVlcPlayerProxy::detachListener()
{
    m_player->unregister_callback(&m_eventRelay);
}

QString QmlVlcPlayerProxy::vlcVersion() const
{
    return QString::fromLatin1(libvlc_get_version());
}

QString QmlVlcPlayerProxy::mrl() const
{
    return QString::fromStdString(m_player->current_media().mrl());
}

QmlVlcPlayerProxy::State QmlVlcPlayerProxy::state() const
{
    if (m_stopping)
        return Stopping;
    return m_catchingUp ? Playing : static_cast<State>(m_player->get_state());
}

void QmlVlcPlayerProxy::play(const QString& mrl)
{
    setWantPlaying(true);
    m_player->clear_items();
    const QmlVlcConfig& config = QmlVlcConfig::instance();
    const quint16 livePort = QmlVlcReceiveBacklog::videoPort(mrl);
    std::vector<std::string> options;
    if (livePort) {
        for (const QString& option : config.liveMediaOptions())
            options.push_back(option.toStdString());
    }
    const int index = m_player->add_media(mrl.toUtf8().toStdString(), {}, options, false);
    m_livePort = config.liveCatchUp() ? livePort : 0;
    m_behindTicks = 0;
    m_framesAtLiveStart = videoOutput().displayedFrames();
    m_liveShowingSinceMs = 0;
    m_mediaPlayedMs = QmlVlcFrameSink::monotonicMs();
    m_catchingUp = false;
    m_catchUpStartMs = 0;
    if (index >= 0)
        m_player->play(static_cast<unsigned>(index));
}

void QmlVlcPlayerProxy::play()
{
    setWantPlaying(true);
    m_player->play();
}

void QmlVlcPlayerProxy::pause()
{
    setWantPlaying(false);
    m_player->pause();
}

void QmlVlcPlayerProxy::stop()
{
    if (!m_player->is_open())
        return;
    // libvlc reports Stopped only when the stop had something to stop.
    const bool stopsSomething = m_player->busy() || m_player->get_state() != libvlc_Stopped;
    // The input keeps showing what it decoded until its stop has run; those
    // pictures would pass for the first ones of whatever is played next.
    const std::shared_ptr<QmlVlcFrameSink>& sink = videoOutput().sink();
    sink->holdPictures(true);
    m_player->stop();
    m_player->post([sink](libvlc_media_player_t*) { sink->holdPictures(false); });
    m_catchingUp = false;
    m_catchUpStartMs = 0;
    setWantPlaying(false);
    if (m_videoSuspended) {
        m_videoSuspended = false;
        emit decodingChanged();
    }
    videoOutput().blank();
    if (stopsSomething && !m_stopping) {
        m_stopping = true;
        emit stateChanged(Stopping);
        emit playingChanged();
    }
}

void QmlVlcPlayerProxy::setStallTimeout(int ms)
{
    if (ms == m_stallTimeout || ms <= 0)
        return;
    m_stallTimeout = ms;
    emit stallTimeoutChanged();
    checkHealth();
}

void QmlVlcPlayerProxy::setDecodeOnlyWhenSeen(bool only)
{
    if (only == m_decodeOnlyWhenSeen)
        return;
    m_decodeOnlyWhenSeen = only;
    emit decodeOnlyWhenSeenChanged();
}

void QmlVlcPlayerProxy::setWantPlaying(bool want)
{
    if (want && !m_wantPlaying)
        m_playAskedMs = QmlVlcFrameSink::monotonicMs();
    m_wantPlaying = want;
    if (!want)
        setStalled(false);
}

void QmlVlcPlayerProxy::setStalled(bool stalled)
{
    if (stalled == m_stalled)
        return;
    m_stalled = stalled;
    emit stalledChanged();
}

void QmlVlcPlayerProxy::checkHealth()
{
    QmlVlcVideoOutput& output = videoOutput();
    output.sampleFrameRate();
    if (m_stopping && !m_player->busy()) {
        m_stopping = false;
        emit stateChanged(state());
        emit playingChanged();
    }
    followVisibility();
    followLiveLag();

    const qint64 now = QmlVlcFrameSink::monotonicMs();
    const qint64 lastFrame = lastNewPictureMs(now);
    const qint64 reference = lastFrame ? lastFrame : m_playAskedMs;
    const int age = reference ? static_cast<int>(std::min<qint64>(now - reference, INT_MAX)) : 0;
    if (age != m_frameAge) {
        m_frameAge = age;
        emit frameAgeChanged();
    }
    const qint64 quietMs = now - std::max(lastFrame, m_playAskedMs);
    if (m_catchUpStartMs) {
        const long long demuxed = m_player->current_media().demuxed_bytes();
        if ((demuxed > 0 && demuxed != m_demuxedBytes) || QmlVlcReceiveBacklog::queuedBytes(m_livePort) > 0)
            m_catchUpArrivalMs = now;
        m_demuxedBytes = demuxed;
        // libvlc shows the first pictures it decodes at once and the next ones
        // only once its buffering is done: a few pictures are no sign of flow yet.
        if (videoOutput().displayedFrames() - m_framesAtLiveStart >= catchUpPictures && m_liveShowingSinceMs
            && now - m_liveShowingSinceMs >= catchUpFlowMs)
            m_catchUpStartMs = 0;
    }
    const bool restarting = m_catchUpStartMs && now - m_catchUpStartMs < catchUpGraceMs && now - m_catchUpArrivalMs < catchUpArrivalMs;
    const bool stalled = m_wantPlaying && !m_videoSuspended && !restarting && quietMs >= m_stallTimeout;
    // Before the first picture of a play, libvlc is still opening: no stall to tell of.
    if (stalled && !m_stalled && lastFrame > m_mediaPlayedMs)
        QmlVlcLog::warn("Video stalled: no new picture for {} ms (live port {}, {} bytes unread, {} catch-ups, {} pictures and "
                        "{} bytes read since the last; a catch-up's stream last seen {} ms ago, -1: none under way)",
                        quietMs, m_livePort, QmlVlcReceiveBacklog::queuedBytes(m_livePort), m_liveCatchUps,
                        videoOutput().displayedFrames() - m_framesAtLiveStart, m_player->current_media().demuxed_bytes(),
                        m_catchUpStartMs ? now - m_catchUpArrivalMs : -1);
    setStalled(stalled);
}

// The sink sees a still picture as libvlc showing its last one again, which
// it also does while no picture comes; libvlc's own count tells them apart.
qint64 QmlVlcPlayerProxy::lastNewPictureMs(qint64 now)
{
    const int shown = m_wantPlaying ? m_player->current_media().displayed_pictures() : -1;
    // A new input counts from zero again: only a rise is a new picture.
    if (shown > m_shownPictures && m_shownPictures >= 0)
        m_shownPictureMs = now;
    m_shownPictures = shown;
    return std::max<qint64>(videoOutput().lastFrameMs(), m_shownPictureMs);
}

// A live view shows the present. A player whose input is starved of CPU
// leaves seconds of stream in the socket and would show them late, also after
// the stream was cut. Such a player shows no more of its old input and starts
// it afresh, which drops what waits unread. Stopping a lagging input takes
// seconds on a busy machine: the tile says so by its stall rather than by old
// pictures.
void QmlVlcPlayerProxy::followLiveLag()
{
    if (!m_livePort || !m_wantPlaying || m_videoSuspended || m_stopping || m_player->busy()) {
        m_behindTicks = 0;
        return;
    }
    const qint64 now = QmlVlcFrameSink::monotonicMs();
    if (m_liveShowingSinceMs == 0 && videoOutput().displayedFrames() != m_framesAtLiveStart)
        m_liveShowingSinceMs = now;
    if (m_liveShowingSinceMs == 0 || now - m_liveShowingSinceMs < liveSettleMs) {
        m_behindTicks = 0;
        return;
    }
    const qint64 queued = QmlVlcReceiveBacklog::queuedBytes(m_livePort);
    m_behindTicks = queued > behindLiveBytes ? m_behindTicks + 1 : 0;
    if (m_behindTicks < catchUpTicks)
        return;
    QmlVlcLog::warn("Live video behind its stream ({} bytes unread on port {}): starting it afresh", queued, m_livePort);
    catchUpWithLive();
}

void QmlVlcPlayerProxy::catchUpWithLive()
{
    m_behindTicks = 0;
    ++m_liveCatchUps;
    m_catchingUp = true;
    m_playAskedMs = QmlVlcFrameSink::monotonicMs();
    m_catchUpStartMs = m_playAskedMs;
    m_catchUpArrivalMs = m_playAskedMs;
    m_demuxedBytes = -1;
    m_framesAtLiveStart = videoOutput().displayedFrames();
    m_liveShowingSinceMs = 0;
    const std::shared_ptr<QmlVlcFrameSink>& sink = videoOutput().sink();
    sink->holdPictures(true);
    m_player->post([sink, restarts = m_catchUpRestarts](libvlc_media_player_t* mp) {
        // The last picture stays on screen: this stop is not reported.
        if (libvlc_media_player_get_state(mp) != libvlc_Stopped)
            ++*restarts;
        libvlc_media_player_stop(mp);
        // Whatever comes from here on is of the new input.
        sink->holdPictures(false);
        libvlc_media_player_play(mp);
    });
}

void QmlVlcPlayerProxy::followVisibility()
{
    const QmlVlcVideoOutput& output = videoOutput();
    const bool unseen = output.allSurfacesHidden() || (m_decodeOnlyWhenSeen && !output.hasSurfaces());
    const qint64 now = QmlVlcFrameSink::monotonicMs();
    if (!unseen) {
        m_unseenSinceMs = 0;
        if (!m_videoSuspended)
            return;
        m_videoSuspended = false;
        // Waiting for the next key frame is not a stall.
        m_playAskedMs = now;
        // An unseen input reads no stream: what waits in the socket is old by
        // now, and a live view starts afresh rather than show it.
        if (m_livePort && m_wantPlaying && QmlVlcReceiveBacklog::queuedBytes(m_livePort) > behindLiveBytes)
            catchUpWithLive();
        else
            m_player->post([track = m_suspendedTrack](libvlc_media_player_t* mp) { restoreVideoTrack(mp, track->load()); });
        emit decodingChanged();
        return;
    }
    if (m_videoSuspended && output.displayedFrames() != m_framesAtSuspend) {
        // An input played while unseen chose its video track afresh.
        m_framesAtSuspend = output.displayedFrames();
        m_player->post([track = m_suspendedTrack](libvlc_media_player_t* mp) { suspendVideoTrack(mp, *track); });
        return;
    }
    if (!m_wantPlaying || m_videoSuspended)
        return;
    if (m_unseenSinceMs == 0)
        m_unseenSinceMs = now;
    if (now - m_unseenSinceMs < unseenBeforeSuspendMs)
        return;
    m_videoSuspended = true;
    m_framesAtSuspend = output.displayedFrames();
    m_player->post([track = m_suspendedTrack](libvlc_media_player_t* mp) { suspendVideoTrack(mp, *track); });
    emit decodingChanged();
}

void QmlVlcPlayerProxy::EventRelay::media_player_event(const libvlc_event_t* event)
{
    auto* posted = new LibvlcEvent(*event);
    QmlVlcTsan::release(posted);
    QCoreApplication::postEvent(proxy, posted);
}

bool QmlVlcPlayerProxy::event(QEvent* e)
{
    if (e->type() == LibvlcEvent::eventType) {
        QmlVlcTsan::acquire(e);
        handleLibvlcEvent(static_cast<LibvlcEvent*>(e)->libvlcEvent());
        return true;
    }
    return QObject::event(e);
}

void QmlVlcPlayerProxy::handleLibvlcEvent(const libvlc_event_t& event)
{
    switch (event.type) {
    case libvlc_MediaPlayerMediaChanged:
        emit mediaPlayerMediaChanged();
        emit m_playlist.currentItemChanged();
        break;
    case libvlc_MediaPlayerNothingSpecial:
        emit mediaPlayerNothingSpecial();
        emit stateChanged(NothingSpecial);
        break;
    case libvlc_MediaPlayerOpening:
        setWantPlaying(true);
        if (m_catchingUp)
            break;
        emit mediaPlayerOpening();
        emit stateChanged(Opening);
        break;
    case libvlc_MediaPlayerBuffering:
        if (m_catchingUp)
            break;
        emit mediaPlayerBuffering(event.u.media_player_buffering.new_cache);
        emit stateChanged(Buffering);
        break;
    case libvlc_MediaPlayerPlaying:
        setWantPlaying(true);
        if (m_catchingUp) {
            m_catchingUp = false;
            // The restarted input's first picture gets the stall time-out from here.
            m_playAskedMs = QmlVlcFrameSink::monotonicMs();
            break;
        }
        emit mediaPlayerPlaying();
        emit stateChanged(Playing);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerPaused:
        setWantPlaying(false);
        emit mediaPlayerPaused();
        emit stateChanged(Paused);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerStopped:
        if (*m_catchUpRestarts > 0) {
            --*m_catchUpRestarts;
            break;
        }
        m_stopping = false;
        setWantPlaying(false);
        videoOutput().blank();
        emit mediaPlayerStopped();
        emit stateChanged(Stopped);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerForward:
        emit mediaPlayerForward();
        break;
    case libvlc_MediaPlayerBackward:
        emit mediaPlayerBackward();
        break;
    case libvlc_MediaPlayerEndReached:
        m_catchingUp = false;
        m_catchUpStartMs = 0;
        videoOutput().blank();
        emit mediaPlayerEndReached();
        emit stateChanged(Ended);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerEncounteredError:
        m_catchingUp = false;
        m_catchUpStartMs = 0;
        videoOutput().blank();
        emit mediaPlayerEncounteredError();
        emit stateChanged(Error);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerTimeChanged:
        emit mediaPlayerTimeChanged(static_cast<double>(event.u.media_player_time_changed.new_time));
        break;
    case libvlc_MediaPlayerPositionChanged:
        emit mediaPlayerPositionChanged(event.u.media_player_position_changed.new_position);
        break;
    case libvlc_MediaPlayerSeekableChanged:
        emit mediaPlayerSeekableChanged(event.u.media_player_seekable_changed.new_seekable != 0);
        break;
    case libvlc_MediaPlayerPausableChanged:
        emit mediaPlayerPausableChanged(event.u.media_player_pausable_changed.new_pausable != 0);
        break;
    case libvlc_MediaPlayerTitleChanged:
        emit mediaPlayerTitleChanged();
        emit m_currentMedia.titleChanged();
        break;
    case libvlc_MediaPlayerLengthChanged:
        emit mediaPlayerLengthChanged(static_cast<double>(event.u.media_player_length_changed.new_length));
        break;
    default:
        break;
    }
}

void QmlVlcPlayerProxy::currentItemEndReached()
{
    if (m_player->get_playback_mode() != vlc::mode_single)
        m_player->next();
}
