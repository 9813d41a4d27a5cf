#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Media made by ffmpeg at test time in a private temporary directory.
class TestMedia
{
public:
    TestMedia();

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // H.264 test pattern, keyframe every second so playback starts at once.
    QString clip(const QString& name, const QSize& size, double seconds);
    // 640x360 H.264 with two audio tracks and one subtitle track.
    QString clipWithTracks(const QString& name);
    // One colour that never changes, as a camera on a still scene sends.
    QString stillClip(const QString& name, const QSize& size, double seconds);
    // A clip in 4:4:4 so that odd sizes survive the encoder.
    QString oddClip(const QString& name, const QSize& size, double seconds);

    static bool runFfmpeg(const QStringList& args, int timeoutMs = 60000);
    static QString fileUrl(const QString& path);

private:
    QTemporaryDir m_dir;
};
