#pragma once

#include <QObject>

#include "vlc/playlist_player_core.h"

class QmlVlcDeinterlace : public QObject
{
    Q_OBJECT

public:
    explicit QmlVlcDeinterlace(vlc::playlist_player_core& player) : m_player(player) {}

    Q_INVOKABLE void enable(const QString& mode);
    Q_INVOKABLE void disable();

private:
    vlc::playlist_player_core& m_player;
};
