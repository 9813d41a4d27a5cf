#include "RtpSender.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QUdpSocket>

RtpSender::~RtpSender()
{
    stop();
}

quint16 RtpSender::freePortPair()
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

bool RtpSender::start(const QString& clip, const QString& sdpPath)
{
    m_port = freePortPair();
    if (m_port == 0)
        return false;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("ffmpeg"),
                    {"-hide_banner", "-loglevel", "error", "-nostdin", "-re", "-stream_loop", "-1",
                     "-i", clip, "-an", "-c:v", "copy", "-f", "rtp", "-sdp_file", sdpPath,
                     QStringLiteral("rtp://127.0.0.1:%1").arg(m_port)});
    return m_process.waitForStarted(10000);
}

void RtpSender::die()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

void RtpSender::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
