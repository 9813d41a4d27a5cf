#pragma once

#include <QObject>
#include <QQmlListProperty>
#include <QStringList>

#include "QmlVlcMedia.h"
#include "vlc/playlist_player_core.h"

class QmlVlcPlayerProxy;

class QmlVlcPlaylist : public QObject
{
    Q_OBJECT
    Q_PROPERTY(unsigned itemCount READ itemCount)
    Q_PROPERTY(bool isPlaying READ isPlaying)
    Q_PROPERTY(int currentItem READ currentItem WRITE setCurrentItem NOTIFY currentItemChanged)
    Q_PROPERTY(Mode mode READ mode WRITE setMode)
    Q_PROPERTY(QQmlListProperty<QmlVlcMedia> items READ items)

public:
    enum Mode
    {
        Single = vlc::mode_single,
        Normal = vlc::mode_normal,
        Loop = vlc::mode_loop,
    };
    Q_ENUM(Mode)

    QmlVlcPlaylist(QmlVlcPlayerProxy* proxy, vlc::playlist_player_core& player);

    unsigned itemCount() const { return m_player.item_count(); }
    bool isPlaying() const { return m_player.get_state() == libvlc_Playing; }
    int currentItem() const { return m_player.current_item(); }
    void setCurrentItem(int idx) { m_player.set_current(static_cast<unsigned>(idx)); }
    Mode mode() const { return static_cast<Mode>(m_player.get_playback_mode()); }
    void setMode(Mode mode);
    QQmlListProperty<QmlVlcMedia> items();

    Q_INVOKABLE int add(const QString& mrl);
    Q_INVOKABLE int add(QmlVlcMedia* media);
    Q_INVOKABLE int addWithOptions(const QString& mrl, const QStringList& options);
    Q_INVOKABLE void play() { m_player.play(); }
    Q_INVOKABLE bool playItem(unsigned idx) { return m_player.play(idx); }
    Q_INVOKABLE void pause() { m_player.pause(); }
    Q_INVOKABLE void togglePause();
    Q_INVOKABLE void stop() { m_player.stop(); }
    Q_INVOKABLE void next() { m_player.next(); }
    Q_INVOKABLE void prev() { m_player.prev(); }
    Q_INVOKABLE void clear() { m_player.clear_items(); }
    Q_INVOKABLE bool removeItem(unsigned idx) { return m_player.delete_item(idx); }
    Q_INVOKABLE void advanceItem(unsigned idx, int count) { m_player.move_item(idx, count); }

signals:
    void currentItemChanged();

private:
    static int itemsCount(QQmlListProperty<QmlVlcMedia>* list);
    static QmlVlcMedia* itemAt(QQmlListProperty<QmlVlcMedia>* list, int index);
    static void itemsClear(QQmlListProperty<QmlVlcMedia>* list);

    QmlVlcPlayerProxy* m_proxy;
    vlc::playlist_player_core& m_player;
};
