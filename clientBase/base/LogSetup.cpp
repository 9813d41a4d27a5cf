#include "base/LogSetup.h"

#include <QDir>

#include <spdlog/sinks/daily_file_sink.h>
#include <spdlog/spdlog.h>

#include <chrono>

namespace LynClientBase {

QString LogSetup::start(const QString &workDir, const QDateTime &startTime)
{
    QDir(workDir).mkpath(QStringLiteral("logs"));
    const QString fileName = QStringLiteral("logs/log_%1.txt").arg(startTime.toString(QStringLiteral("yyyy_MM_dd hh_mm_ss")));
    const QString path = QDir(workDir).filePath(fileName);

    spdlog::drop("main");
    auto logger = spdlog::daily_logger_mt("main", path.toStdString(), 0, 0, false);
    logger->info("Is started....");
    spdlog::flush_every(std::chrono::seconds(1));
    return fileName;
}

} // namespace LynClientBase
