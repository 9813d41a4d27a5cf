#include "RtpRelay.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>

namespace Standin {

namespace {
constexpr int kHeaderSize = 12;
constexpr quint32 kClockPerMs = 90; // H.264 over RTP runs a 90 kHz clock

quint32 read32(const char *p)
{
    const auto *u = reinterpret_cast<const uchar *>(p);
    return (quint32(u[0]) << 24) | (quint32(u[1]) << 16) | (quint32(u[2]) << 8) | u[3];
}

void write32(char *p, quint32 value)
{
    p[0] = char(value >> 24);
    p[1] = char(value >> 16);
    p[2] = char(value >> 8);
    p[3] = char(value);
}
} // namespace

RtpRelay::RtpRelay(QObject *parent)
    : QObject(parent)
    , m_ssrc(QRandomGenerator::global()->generate())
    , m_sequence(quint16(QRandomGenerator::global()->bounded(0x8000)))
{
    connect(&m_input, &QUdpSocket::readyRead, this, &RtpRelay::onReadyRead);
    // RTCP from the sender is not needed downstream; it is read and dropped.
    connect(&m_rtcpSink, &QUdpSocket::readyRead, this, [this] {
        while (m_rtcpSink.hasPendingDatagrams())
            m_rtcpSink.receiveDatagram(0);
    });
}

quint16 RtpRelay::freePortPair()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = static_cast<quint16>(20000 + 2 * QRandomGenerator::global()->bounded(15000));
        QUdpSocket rtp;
        QUdpSocket rtcp;
        if (rtp.bind(QHostAddress::LocalHost, port) && rtcp.bind(QHostAddress::LocalHost, port + 1))
            return port;
    }
    return 0;
}

bool RtpRelay::open()
{
    if (!m_input.bind(QHostAddress(QHostAddress::LocalHost), 0) || !m_rtcpSink.bind(QHostAddress(QHostAddress::LocalHost), 0))
        return false;
    m_input.setReadBufferSize(0);
    m_outputPort = freePortPair();
    return m_outputPort != 0;
}

QString RtpRelay::inputUrl() const
{
    return QStringLiteral("rtp://127.0.0.1:%1?rtcpport=%2").arg(m_input.localPort()).arg(m_rtcpSink.localPort());
}

QString RtpRelay::sdp(const QString &sessionName) const
{
    QString name = sessionName;
    name.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return QStringLiteral("v=0\r\n"
                          "o=- 0 0 IN IP4 127.0.0.1\r\n"
                          "s=%1\r\n"
                          "c=IN IP4 127.0.0.1\r\n"
                          "t=0 0\r\n"
                          "m=video %2 RTP/AVP 96\r\n"
                          "a=rtpmap:96 H264/90000\r\n"
                          "a=fmtp:96 packetization-mode=1\r\n")
        .arg(name.isEmpty() ? QStringLiteral("No Name") : name)
        .arg(m_outputPort);
}

void RtpRelay::onReadyRead()
{
    while (m_input.hasPendingDatagrams()) {
        QByteArray packet = m_input.receiveDatagram().data();
        if (m_muted)
            continue;
        if (packet.size() < kHeaderSize || (uchar(packet.at(0)) >> 6) != 2)
            continue;
        char *header = packet.data();
        const quint32 inputTimestamp = read32(header + 4);
        const quint32 inputSsrc = read32(header + 8);
        if (inputSsrc != m_lastInputSsrc) {
            m_lastInputSsrc = inputSsrc;
            m_rebase = true;
        }
        if (m_rebase) {
            // The new sender's first packet continues where the last one ended,
            // advanced by the time that passed in between.
            const quint32 elapsed = m_sentAny ? quint32(m_sinceLastPacket.elapsed()) * kClockPerMs + 1 : 0;
            m_timestampOffset = m_lastTimestamp + elapsed - inputTimestamp;
            m_rebase = false;
        }
        m_lastTimestamp = inputTimestamp + m_timestampOffset;
        header[2] = char(m_sequence >> 8);
        header[3] = char(m_sequence);
        ++m_sequence;
        write32(header + 4, m_lastTimestamp);
        write32(header + 8, m_ssrc);
        m_output.writeDatagram(packet, QHostAddress::LocalHost, m_outputPort);
        for (const quint16 port : qAsConst(m_copyPorts))
            m_output.writeDatagram(packet, QHostAddress::LocalHost, port);
        m_sentAny = true;
        m_sinceLastPacket.start();
        ++m_forwarded;
    }
}

} // namespace Standin
