#include "base/LogSetup.h"

#include <QDir>

#include <spdlog/sinks/daily_file_sink.h>
#include <spdlog/spdlog.h>

#include <chrono>

namespace LynClientBase {

namespace {
QtMessageHandler previousHandler = nullptr;

// The window's own lines (a tile's stream state, a binding that failed) belong
// in the same file as the link's, so that one file tells what happened.
void forwardToLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg) {
        if (const auto logger = spdlog::get("main")) {
            const spdlog::level::level_enum level = type == QtInfoMsg ? spdlog::level::info
                                                    : type == QtWarningMsg ? spdlog::level::warn
                                                                           : spdlog::level::err;
            logger->log(level, "[{}] {}", context.category ? context.category : "default", message.toStdString());
        }
    }
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

QString LogSetup::start(const QString &workDir, const QDateTime &startTime)
{
    QDir(workDir).mkpath(QStringLiteral("logs"));
    const QString fileName = QStringLiteral("logs/log_%1.txt").arg(startTime.toString(QStringLiteral("yyyy_MM_dd hh_mm_ss")));
    const QString path = QDir(workDir).filePath(fileName);

    spdlog::drop("main");
    auto logger = spdlog::daily_logger_mt("main", path.toStdString(), 0, 0, false);
    logger->info("Is started....");
    spdlog::flush_every(std::chrono::seconds(1));
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(forwardToLog);
    return fileName;
}

} // namespace LynClientBase
