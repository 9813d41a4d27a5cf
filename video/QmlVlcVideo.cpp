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
    return m_player.get_mp() ? takeString(libvlc_video_get_aspect_ratio(m_player.get_mp())) : QString();
}

void QmlVlcVideo::setAspectRatio(const QString& ratio)
{
    if (m_player.get_mp())
        libvlc_video_set_aspect_ratio(m_player.get_mp(), ratio.toUtf8().constData());
}

QString QmlVlcVideo::crop() const
{
    return m_player.get_mp() ? takeString(libvlc_video_get_crop_geometry(m_player.get_mp())) : QString();
}

void QmlVlcVideo::setCrop(const QString& geometry)
{
    if (m_player.get_mp())
        libvlc_video_set_crop_geometry(m_player.get_mp(), geometry.toUtf8().constData());
}

int QmlVlcVideo::teletext() const
{
    return m_player.get_mp() ? libvlc_video_get_teletext(m_player.get_mp()) : 0;
}

void QmlVlcVideo::setTeletext(int page)
{
    if (m_player.get_mp())
        libvlc_video_set_teletext(m_player.get_mp(), page);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
void QmlVlcVideo::toggleTeletext()
{
    if (m_player.get_mp())
        libvlc_toggle_teletext(m_player.get_mp());
}

std::pair<unsigned, unsigned> QmlVlcVideo::size() const
{
    vlc::media current = m_player.current_media();
    if (!current.empty() && !libvlc_media_is_parsed(current.get()))
        libvlc_media_parse(current.get());
    unsigned width = 0;
    unsigned height = 0;
    // While the worker stops or switches the player this would wait for it.
    if (m_player.get_mp() && !m_player.busy())
        libvlc_video_get_size(m_player.get_mp(), 0, &width, &height);
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
