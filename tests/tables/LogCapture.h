#pragma once

#include <QString>

#include <memory>
#include <sstream>

namespace spdlog {
class logger;
}

// Stands in for the client's "main" logger while it exists and keeps every line.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QString text() const;
    bool contains(const QString &part) const;
    int count(const QString &part) const;
    void clear();

private:
    std::shared_ptr<std::ostringstream> m_stream;
    std::shared_ptr<spdlog::logger> m_logger;
};
