#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUdpSocket>

namespace Standin {

// Forwards the RTP packets of whatever ffmpeg currently feeds it to one fixed
// port on 127.0.0.1 as one continuous stream: one SSRC, gapless sequence
// numbers and timestamps that follow the wall clock across a change of
// sender. A restarted camera or a jump in a recording therefore needs no new
// SDP and the player keeps playing.
class RtpRelay : public QObject
{
    Q_OBJECT
public:
    explicit RtpRelay(QObject *parent = nullptr);

    // Binds the input sockets and picks a free even port pair for the output.
    bool open();
    // Where ffmpeg sends: "rtp://127.0.0.1:P?rtcpport=Q".
    QString inputUrl() const;
    quint16 outputPort() const { return m_outputPort; }
    // The SDP a player opens to receive the output (H.264, parameter sets in band).
    QString sdp(const QString &sessionName) const;
    qint64 forwardedPackets() const { return m_forwarded; }
    // Call before a new sender starts, so its timestamps are rebased.
    void newSender() { m_rebase = true; }
    // While muted the packets are read and dropped, as on a cut network link.
    void setMuted(bool muted) { m_muted = muted; }
    // Every packet is also copied to these ports on 127.0.0.1 (a remote viewer's forwarder).
    void addCopyPort(quint16 port) { m_copyPorts.insert(port); }
    void removeCopyPort(quint16 port) { m_copyPorts.remove(port); }

    // An even port whose pair (RTP, RTCP) is free on 127.0.0.1.
    static quint16 freePortPair();

private:
    void onReadyRead();

    QUdpSocket m_input;
    QUdpSocket m_rtcpSink;
    QUdpSocket m_output;
    quint16 m_outputPort = 0;
    quint32 m_ssrc = 0;
    quint16 m_sequence = 0;
    quint32 m_lastTimestamp = 0;
    quint32 m_timestampOffset = 0;
    quint32 m_lastInputSsrc = 0;
    bool m_rebase = true;
    bool m_sentAny = false;
    bool m_muted = false;
    QElapsedTimer m_sinceLastPacket;
    qint64 m_forwarded = 0;
    QSet<quint16> m_copyPorts;
};

} // namespace Standin
