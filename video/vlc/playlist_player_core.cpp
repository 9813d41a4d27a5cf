#include "playlist_player_core.h"

#include <algorithm>
#include <cctype>

namespace vlc {

namespace {
constexpr unsigned option_unique = 0x100;
constexpr unsigned option_unique_trusted = 0x102;

bool ends_with_ignoring_case(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}
} // namespace

int playlist_player_core::add_media(const std::string& mrl,
                                    const std::vector<std::string>& untrusted_options,
                                    const std::vector<std::string>& trusted_options,
                                    bool is_path)
{
    if (!is_open() || !get_instance())
        return -1;
    libvlc_media_t* handle = is_path ? libvlc_media_new_path(get_instance(), mrl.c_str())
                                     : libvlc_media_new_location(get_instance(), mrl.c_str());
    media item(handle, true);
    if (item.empty())
        return -1;
    for (const auto& option : untrusted_options)
        libvlc_media_add_option_flag(item.get(), option.c_str(), option_unique);
    for (const auto& option : trusted_options)
        libvlc_media_add_option_flag(item.get(), option.c_str(), option_unique_trusted);
    // This libvlc has no live555: an SDP given as a location must be read by avformat.
    if (ends_with_ignoring_case(mrl, ".sdp"))
        libvlc_media_add_option_flag(item.get(), ":demux=avformat", option_unique_trusted);
    return add_media(item);
}

const std::string& playlist_player_core::empty_data()
{
    static const std::string empty;
    return empty;
}

} // namespace vlc
