#include "LogCollector.h"

#include <spdlog/sinks/ringbuffer_sink.h>
#include <spdlog/spdlog.h>

LogCollector::LogCollector() : m_sink(std::make_shared<spdlog::sinks::ringbuffer_sink_mt>(4096))
{
    m_sink->set_pattern("%l %v");
    spdlog::drop("main");
    spdlog::register_logger(std::make_shared<spdlog::logger>("main", m_sink));
}

LogCollector::~LogCollector()
{
    spdlog::drop("main");
}

QStringList LogCollector::lines() const
{
    QStringList result;
    for (const std::string &line : m_sink->last_formatted())
        result << QString::fromStdString(line);
    return result;
}

bool LogCollector::contains(const QString &text) const
{
    for (const QString &line : lines()) {
        if (line.contains(text))
            return true;
    }
    return false;
}
