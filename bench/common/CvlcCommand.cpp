#include "CvlcCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace CvlcCommand {

void startShowing(QProcess &process, const QString &sdp)
{
    // Let nobody reach and read the SDP.
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(QFileInfo(sdp).absolutePath(), readable | QFile::WriteOwner | QFile::ExeOwner
                                                             | QFile::ExeGroup | QFile::ExeOther);
    QFile::setPermissions(sdp, readable | QFile::WriteOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("setpriv"),
                  {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "cvlc", "--aout=adummy", "--demux=avformat",
                   "--network-caching=200", "--no-video-title-show", sdp});
}

} // namespace CvlcCommand
