#pragma once

#include <QProcess>
#include <QString>

// Streams a clip as live RTP H.264 to 127.0.0.1 and writes its SDP file.
class RtpSender
{
public:
    ~RtpSender();

    // Loops the clip without re-encoding; returns once ffmpeg runs.
    bool start(const QString& clip, const QString& sdpPath);
    void stop();
    // Ends the stream as a camera losing power does: without the goodbye
    // packet that lets the receiver end its input at once.
    void die();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    qint64 processId() const { return m_process.processId(); }
    quint16 port() const { return m_port; }

    // An even port whose pair (RTP, RTCP) is free on 127.0.0.1.
    static quint16 freePortPair();

private:
    QProcess m_process;
    quint16 m_port = 0;
};
