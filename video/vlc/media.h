#pragma once

#include <string>

#include <vlc/vlc.h>

namespace vlc {

class media
{
public:
    media() = default;
    // adopt: the caller's reference is taken over; otherwise it is retained.
    media(libvlc_media_t* handle, bool adopt);
    media(const media& other);
    media(media&& other) noexcept;
    media& operator=(const media& other);
    media& operator=(media&& other) noexcept;
    ~media();

    libvlc_media_t* get() const { return m_media; }
    bool empty() const { return m_media == nullptr; }

    std::string get_meta(libvlc_meta_t meta) const;
    void set_meta(libvlc_meta_t meta, const std::string& value);
    std::string mrl() const;
    // Pictures the current input of this media has shown, -1 when libvlc
    // keeps no count; libvlc shows the last picture again while no new one
    // comes, and those are not counted. A short lock, no wait on the input.
    int displayed_pictures() const;
    // Bytes the current input's demuxer has read (an RTP input's stream), -1 as above.
    long long demuxed_bytes() const;

private:
    void release();

    libvlc_media_t* m_media = nullptr;
};

} // namespace vlc
