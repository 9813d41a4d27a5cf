#include "QmlVlcPlayerProxy.h"

#include <cstring>

#include <QCoreApplication>

#include "QmlVlcTsan.h"

namespace {
constexpr int errorAdvanceMs = 1000;
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
}

void QmlVlcPlayerProxy::classBegin()
{
    m_player->register_callback(this);
    QmlVlcVideoSource::classBegin();
}

void QmlVlcPlayerProxy::detachListener()
{
    m_player->unregister_callback(this);
}

QString QmlVlcPlayerProxy::vlcVersion() const
{
    return QString::fromLatin1(libvlc_get_version());
}

QString QmlVlcPlayerProxy::mrl() const
{
    return QString::fromStdString(m_player->current_media().mrl());
}

void QmlVlcPlayerProxy::play(const QString& mrl)
{
    m_player->clear_items();
    const int index = m_player->add_media(mrl.toUtf8().toStdString(), {}, {}, false);
    if (index >= 0)
        m_player->play(static_cast<unsigned>(index));
}

void QmlVlcPlayerProxy::media_player_event(const libvlc_event_t* event)
{
    auto* posted = new LibvlcEvent(*event);
    QmlVlcTsan::release(posted);
    QCoreApplication::postEvent(this, posted);
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
        emit mediaPlayerOpening();
        emit stateChanged(Opening);
        break;
    case libvlc_MediaPlayerBuffering:
        emit mediaPlayerBuffering(event.u.media_player_buffering.new_cache);
        emit stateChanged(Buffering);
        break;
    case libvlc_MediaPlayerPlaying:
        emit mediaPlayerPlaying();
        emit stateChanged(Playing);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerPaused:
        emit mediaPlayerPaused();
        emit stateChanged(Paused);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerStopped:
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
        emit mediaPlayerEndReached();
        emit stateChanged(Ended);
        emit playingChanged();
        break;
    case libvlc_MediaPlayerEncounteredError:
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
