#pragma once

class QProcess;
class QString;

// cvlc showing one SDP stream in a window of its own, the reference player of
// the video benches. It runs as user nobody: the vlc binary refuses root.
namespace CvlcCommand {

void startShowing(QProcess &process, const QString &sdp);

} // namespace CvlcCommand
