#pragma once

#include <QString>

#include <spdlog/sinks/ringbuffer_sink.h>

#include <memory>

// Stands in for the client's "main" logger while it exists and keeps its
// latest lines ("<level> <message>"), whichever thread wrote them.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QString text() const;
    bool contains(const QString &part) const;
    int count(const QString &part) const;

private:
    std::shared_ptr<spdlog::sinks::ringbuffer_sink_mt> m_sink;
};
