#pragma once

// Registration of the video types with QML.
namespace QmlVlc {

// Module "QmlVlc" 0.1: the players, the surface and their sub-objects.
void registerTypes();
// The player state enum as the uncreatable "QmlVlcPlayerState".
void registerPlayerStateEnum();

} // namespace QmlVlc
