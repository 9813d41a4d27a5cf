#include "LogCapture.h"

#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

LogCapture::LogCapture()
    : m_stream(std::make_shared<std::ostringstream>())
{
    spdlog::drop("main");
    auto sink = std::make_shared<spdlog::sinks::ostream_sink_mt>(*m_stream, true);
    m_logger = std::make_shared<spdlog::logger>("main", sink);
    m_logger->set_pattern("[%l] %v");
    m_logger->set_level(spdlog::level::trace);
    spdlog::register_logger(m_logger);
}

LogCapture::~LogCapture()
{
    spdlog::drop("main");
}

QString LogCapture::text() const
{
    return QString::fromStdString(m_stream->str());
}

bool LogCapture::contains(const QString &part) const
{
    return text().contains(part);
}

int LogCapture::count(const QString &part) const
{
    return text().count(part);
}

void LogCapture::clear()
{
    m_stream->str(std::string());
}
