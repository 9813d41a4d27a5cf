#include "LogCapture.h"

#include <QStringList>

#include <spdlog/spdlog.h>

LogCapture::LogCapture()
    : m_sink(std::make_shared<spdlog::sinks::ringbuffer_sink_mt>(4096))
{
    m_sink->set_pattern("%l %v");
    spdlog::drop("main");
    auto logger = std::make_shared<spdlog::logger>("main", m_sink);
    logger->set_level(spdlog::level::trace);
    spdlog::register_logger(logger);
}

LogCapture::~LogCapture()
{
    spdlog::drop("main");
}

QString LogCapture::text() const
{
    QStringList lines;
    for (const std::string &line : m_sink->last_formatted())
        lines << QString::fromStdString(line);
    return lines.join(QString());
}

bool LogCapture::contains(const QString &part) const
{
    return text().contains(part);
}

int LogCapture::count(const QString &part) const
{
    return text().count(part);
}
