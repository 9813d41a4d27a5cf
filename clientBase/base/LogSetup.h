#pragma once

#include <QDateTime>
#include <QString>

namespace LynClientBase {

// The daily log "logs/log_<start time>.txt" under the logger "main".
class LogSetup
{
public:
    // Creates "logs" under workDir, the logger "main" rotating at midnight,
    // writes "Is started...." and flushes every second. Returns the file name
    // given to the sink (the sink adds the date before the extension).
    static QString start(const QString &workDir, const QDateTime &startTime = QDateTime::currentDateTime());
};

} // namespace LynClientBase
