#pragma once

#include <QString>
#include <QtGlobal>

// How much of a live stream waits, unread, in the receiving socket. A player
// that keeps up reads each packet as it comes; a player starved of CPU leaves
// seconds of stream there and would show them late.
namespace QmlVlcReceiveBacklog {

// The local UDP port a live location receives its video on: the "m=video"
// line of an SDP file, or the port of an rtp:// or udp:// location; 0 when none.
quint16 videoPort(const QString& mrl);

// Bytes queued on the UDP sockets bound to the port, -1 where the system does
// not tell. Read on the GUI thread; one look at the system serves all players
// for a moment.
qint64 queuedBytes(quint16 port);

} // namespace QmlVlcReceiveBacklog
