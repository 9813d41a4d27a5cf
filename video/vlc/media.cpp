#include "media.h"

#include <utility>

namespace vlc {

namespace {
std::string take_string(char* text)
{
    if (!text)
        return {};
    std::string result(text);
    libvlc_free(text);
    return result;
}
} // namespace

media::media(libvlc_media_t* handle, bool adopt)
    : m_media(handle)
{
    if (m_media && !adopt)
        libvlc_media_retain(m_media);
}

media::media(const media& other)
    : m_media(other.m_media)
{
    if (m_media)
        libvlc_media_retain(m_media);
}

media::media(media&& other) noexcept
    : m_media(std::exchange(other.m_media, nullptr))
{
}

media& media::operator=(const media& other)
{
    if (this != &other) {
        if (other.m_media)
            libvlc_media_retain(other.m_media);
        release();
        m_media = other.m_media;
    }
    return *this;
}

media& media::operator=(media&& other) noexcept
{
    if (this != &other) {
        release();
        m_media = std::exchange(other.m_media, nullptr);
    }
    return *this;
}

media::~media()
{
    release();
}

void media::release()
{
    if (m_media)
        libvlc_media_release(m_media);
    m_media = nullptr;
}

std::string media::get_meta(libvlc_meta_t meta) const
{
    return m_media ? take_string(libvlc_media_get_meta(m_media, meta)) : std::string();
}

void media::set_meta(libvlc_meta_t meta, const std::string& value)
{
    if (m_media)
        libvlc_media_set_meta(m_media, meta, value.c_str());
}

std::string media::mrl() const
{
    return m_media ? take_string(libvlc_media_get_mrl(m_media)) : std::string();
}

int media::displayed_pictures() const
{
    libvlc_media_stats_t stats{};
    if (!m_media || !libvlc_media_get_stats(m_media, &stats))
        return -1;
    return stats.i_displayed_pictures;
}

long long media::demuxed_bytes() const
{
    libvlc_media_stats_t stats{};
    if (!m_media || !libvlc_media_get_stats(m_media, &stats))
        return -1;
    return stats.i_demux_read_bytes;
}

} // namespace vlc
