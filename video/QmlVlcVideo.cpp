#include "QmlVlcVideo.h"

namespace {
QString takeString(char* text)
{
    const QString result = QString::fromUtf8(text);
    libvlc_free(text);
    return result;
}
} // namespace

QmlVlcVideo::QmlVlcVideo(vlc::playlist_player_core& player)
    : m_player(player)
    , m_marquee(player)
    , m_logo(player)
    , m_deinterlace(player)
{
}

QString QmlVlcVideo::aspectRatio() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? takeString(libvlc_video_get_aspect_ratio(mp)) : QString();
}

void QmlVlcVideo::setAspectRatio(const QString& ratio)
{
    m_player.post([utf8 = ratio.toUtf8()](libvlc_media_player_t* mp) { libvlc_video_set_aspect_ratio(mp, utf8.constData()); });
}

QString QmlVlcVideo::crop() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? takeString(libvlc_video_get_crop_geometry(mp)) : QString();
}

void QmlVlcVideo::setCrop(const QString& geometry)
{
    m_player.post([utf8 = geometry.toUtf8()](libvlc_media_player_t* mp) { libvlc_video_set_crop_geometry(mp, utf8.constData()); });
}

int QmlVlcVideo::teletext() const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? libvlc_video_get_teletext(mp) : 0;
}

void QmlVlcVideo::setTeletext(int page)
{
    m_player.post([page](libvlc_media_player_t* mp) { libvlc_video_set_teletext(mp, page); });
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
void QmlVlcVideo::toggleTeletext()
{
    m_player.post([](libvlc_media_player_t* mp) { libvlc_toggle_teletext(mp); });
}

std::pair<unsigned, unsigned> QmlVlcVideo::size() const
{
    vlc::media current = m_player.current_media();
    // Parsing runs in libvlc's background; a network media would hold the GUI for seconds.
    if (!current.empty() && !libvlc_media_is_parsed(current.get()))
        libvlc_media_parse_with_options(current.get(), libvlc_media_parse_local, -1);
    unsigned width = 0;
    unsigned height = 0;
    // While the worker stops or switches the player this would wait for it.
    if (libvlc_media_player_t* mp = m_player.idle_mp())
        libvlc_video_get_size(mp, 0, &width, &height);
    if (!current.empty() && (width == 0 || height == 0)) {
        libvlc_media_track_info_t* info = nullptr;
        const int count = libvlc_media_get_tracks_info(current.get(), &info);
        for (int i = 0; i < count; ++i) {
            const auto& track = info[i];
            if (track.i_type == libvlc_track_video && track.u.video.i_width && track.u.video.i_height) {
                width = track.u.video.i_width;
                height = track.u.video.i_height;
                break;
            }
        }
        libvlc_free(info);
    }
    return {width, height};
}
#pragma GCC diagnostic pop
