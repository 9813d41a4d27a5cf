#include "TestMedia.h"

#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QUrl>

TestMedia::TestMedia() = default;

bool TestMedia::runFfmpeg(const QStringList& args, int timeoutMs)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{"-hide_banner", "-loglevel", "error", "-nostdin", "-y"} + args);
    return ffmpeg.waitForFinished(timeoutMs) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0;
}

QString TestMedia::fileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}

static QString sourceSpec(const QSize& size)
{
    return QStringLiteral("testsrc=size=%1x%2:rate=25").arg(size.width()).arg(size.height());
}

QString TestMedia::clip(const QString& name, const QSize& size, double seconds)
{
    const QString out = path(name);
    const bool ok = runFfmpeg({"-f", "lavfi", "-i", sourceSpec(size), "-t", QString::number(seconds),
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25", out});
    return ok ? out : QString();
}

QString TestMedia::stillClip(const QString& name, const QSize& size, double seconds)
{
    const QString out = path(name);
    const QString source = QStringLiteral("color=c=blue:size=%1x%2:rate=25").arg(size.width()).arg(size.height());
    const bool ok = runFfmpeg({"-f", "lavfi", "-i", source, "-t", QString::number(seconds),
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25", out});
    return ok ? out : QString();
}

QString TestMedia::oddClip(const QString& name, const QSize& size, double seconds)
{
    const QString out = path(name);
    const bool ok = runFfmpeg({"-f", "lavfi", "-i", sourceSpec(size), "-t", QString::number(seconds),
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv444p", "-g", "25", out});
    return ok ? out : QString();
}

QString TestMedia::clipWithTracks(const QString& name)
{
    // Named unlike the clip so that libvlc does not also pick it up beside it.
    const QString srt = path(QStringLiteral("captions.srt"));
    QFile file(srt);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return {};
    QTextStream(&file) << "1\n00:00:00,000 --> 00:00:20,000\nfirst\n";
    file.close();
    const QString out = path(name);
    const bool ok = runFfmpeg({"-f", "lavfi", "-i", sourceSpec(QSize(320, 180)),
                               "-f", "lavfi", "-i", "sine=frequency=440",
                               "-f", "lavfi", "-i", "sine=frequency=880",
                               "-i", srt, "-t", "20",
                               "-map", "0:v", "-map", "1:a", "-map", "2:a", "-map", "3:s",
                               "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25",
                               "-c:a", "aac", "-c:s", "srt", out});
    return ok ? out : QString();
}
