#include "player_core.h"

namespace vlc {

namespace {
constexpr int first_player_event = libvlc_MediaPlayerMediaChanged;
constexpr int last_contiguous_player_event = libvlc_MediaPlayerTitleChanged;
} // namespace

player_core::player_core()
    : m_playback(&m_handle)
    , m_video(&m_handle)
    , m_audio(&m_handle)
    , m_subtitles(&m_handle)
{
    m_handle.commands = &m_commands;
}

player_core::~player_core()
{
    if (m_handle.player && has_callbacks())
        player_core::set_events_attached(false);
    release_player();
}

void player_core::release_player()
{
    // Releasing a player whose input still runs stops it first, which can
    // take seconds on a dead stream; the worker does it after what is queued.
    if (libvlc_media_player_t* mp = m_handle.player)
        m_commands.post([mp] { libvlc_media_player_release(mp); });
    m_handle.player = nullptr;
}

void player_core::register_callback(media_player_events_callback* callback)
{
    if (!has_callbacks())
        set_events_attached(true);
    callbacks_holder::register_callback(callback);
}

void player_core::unregister_callback(media_player_events_callback* callback)
{
    // libvlc aborts on detaching what was never attached.
    if (!has_callbacks())
        return;
    callbacks_holder::unregister_callback(callback);
    if (!has_callbacks())
        set_events_attached(false);
}

bool player_core::open(libvlc_instance_t* instance)
{
    m_instance = instance;
    if (m_handle.player && has_callbacks())
        set_events_attached(false);
    release_player();
    m_handle.instance = instance;
    m_handle.player = instance ? libvlc_media_player_new(instance) : nullptr;
    if (!m_handle.player)
        return false;
    if (has_callbacks())
        set_events_attached(true);
    return true;
}

void player_core::close()
{
    if (has_callbacks())
        set_events_attached(false);
    forget_callbacks();
    release_player();
    m_handle.instance = nullptr;
    m_instance = nullptr;
}

void player_core::set_events_attached(bool attached)
{
    if (!m_handle.player)
        return;
    libvlc_event_manager_t* manager = libvlc_media_player_event_manager(m_handle.player);
    auto apply = [&](int type) {
        const auto event_type = static_cast<libvlc_event_type_t>(type);
        if (attached)
            libvlc_event_attach(manager, event_type, &player_core::libvlc_event_handler, this);
        else
            libvlc_event_detach(manager, event_type, &player_core::libvlc_event_handler, this);
    };
    for (int type = first_player_event; type <= last_contiguous_player_event; ++type)
        apply(type);
    apply(libvlc_MediaPlayerLengthChanged);
}

void player_core::libvlc_event_handler(const libvlc_event_t* event, void* data)
{
    auto* self = static_cast<player_core*>(data);
    self->for_each_callback([event](media_player_events_callback* callback) {
        callback->media_player_event(event);
    });
}

libvlc_state_t player_core::get_state() const
{
    return m_handle.player ? libvlc_media_player_get_state(m_handle.player) : libvlc_NothingSpecial;
}

media player_core::current_media() const
{
    if (!m_handle.player)
        return media();
    if (m_media_applied->load() != m_media_requests)
        return m_requested_media;
    return media(libvlc_media_player_get_media(m_handle.player), true);
}

void player_core::post(std::function<void(libvlc_media_player_t*)> call)
{
    m_handle.post(std::move(call));
}

void player_core::set_media(const media& item)
{
    if (!m_handle.player)
        return;
    m_requested_media = item;
    const int request = ++m_media_requests;
    post([item, request, applied = m_media_applied](libvlc_media_player_t* mp) {
        libvlc_media_player_set_media(mp, item.get());
        applied->store(request);
    });
}

void player_core::start_playing()
{
    post([](libvlc_media_player_t* mp) { libvlc_media_player_play(mp); });
}

void player_core::stop()
{
    post([](libvlc_media_player_t* mp) { libvlc_media_player_stop(mp); });
}

void player_core::pause()
{
    post([](libvlc_media_player_t* mp) { libvlc_media_player_set_pause(mp, 1); });
}

void player_core::toggle_pause()
{
    post([](libvlc_media_player_t* mp) { libvlc_media_player_pause(mp); });
}

} // namespace vlc
