#pragma once

#include <atomic>
#include <deque>
#include <list>
#include <memory>
#include <mutex>

#include <QList>
#include <QObject>

#include "QmlVlcI420Frame.h"
#include "vlc/basic_vmem_wrapper.h"
#include "vlc/playlist_player_core.h"

class QmlVlcVideoSurface;

// Receives decoded pictures from libvlc into pooled frames and hands the
// latest one to the attached surfaces on the GUI thread.
class QmlVlcVideoOutput : public QObject, private vlc::basic_vmem_wrapper
{
    Q_OBJECT

public:
    explicit QmlVlcVideoOutput(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent = nullptr);
    ~QmlVlcVideoOutput() override;

    bool attachToPlayer();
    void registerVideoSurface(QmlVlcVideoSurface* surface);
    void unregisterVideoSurface(QmlVlcVideoSurface* surface);
    const QList<QmlVlcVideoSurface*>& videoSurfaces() const { return m_attachedSurfaces; }

    // Statistics, readable from any thread.
    unsigned displayedFrames() const { return m_displayedFrames.load(); }
    unsigned largestPoolSize() const { return m_largestPoolSize.load(); }

protected:
    unsigned video_format_cb(char* chroma, unsigned* width, unsigned* height,
                             unsigned* pitches, unsigned* lines) override;
    void video_cleanup_cb() override;
    void* video_lock_cb(void** planes) override;
    void video_unlock_cb(void* picture, void* const* planes) override;
    void video_display_cb(void* picture) override;

private:
    Q_INVOKABLE void frameUpdated();
    std::shared_ptr<QmlVlcI420Frame> makeFrameLike(const QmlVlcI420Frame& model) const;

    std::shared_ptr<vlc::playlist_player_core> m_player;
    QList<QmlVlcVideoSurface*> m_attachedSurfaces;
    // libvlc may lock pictures on the decoder thread and display them on
    // the output thread, so the pool and the locked list share a lock.
    std::mutex m_poolMutex;
    std::deque<std::shared_ptr<QmlVlcI420Frame>> m_framesPool;
    std::list<std::shared_ptr<QmlVlcI420Frame>> m_lockedFrames;
    std::mutex m_renderFrameMutex;
    std::shared_ptr<QmlVlcI420Frame> m_renderFrame;
    std::atomic<unsigned> m_displayedFrames{0};
    std::atomic<unsigned> m_largestPoolSize{0};
};
