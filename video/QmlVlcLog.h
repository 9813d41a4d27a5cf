#pragma once

#include <spdlog/spdlog.h>

// Writes to the application's logger "main" when it exists (tests and tools
// run without it).
namespace QmlVlcLog {

template <typename... Args>
void warn(const char* format, const Args&... args)
{
    if (auto logger = spdlog::get("main"))
        logger->warn(format, args...);
}

template <typename... Args>
void critical(const char* format, const Args&... args)
{
    if (auto logger = spdlog::get("main"))
        logger->critical(format, args...);
}

} // namespace QmlVlcLog
