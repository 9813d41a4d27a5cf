#pragma once

#include <QString>
#include <QStringList>

#include <spdlog/sinks/ringbuffer_sink.h>

#include <memory>

// Registers the logger "main" with an in-memory sink for its lifetime, so that
// a test can read what every thread logged ("<level> <message>" per line).
class LogCollector
{
public:
    LogCollector();
    ~LogCollector();

    QStringList lines() const;
    bool contains(const QString &text) const;

private:
    std::shared_ptr<spdlog::sinks::ringbuffer_sink_mt> m_sink;
};
