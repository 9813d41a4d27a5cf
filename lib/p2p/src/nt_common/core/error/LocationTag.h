#pragma once

#include <QString>

#include <exception>

namespace NtCommon {

// A location tag names where a report comes from: "<source path>::<function>".
// Callers keep it in a function-local static so it is built once, thread-safely.
class LocationTag
{
public:
    static QString make(const QString &sourcePath, const QString &function);

    // "%1 exception, description: '%2'." on the Qt debug output.
    static void reportToDebug(const QString &tag, const std::exception &e);
    static QString exceptionText(const QString &tag, const std::exception &e);
    // The P2P code's forms: "%1 exception, %2, description: '%3'." and "%1 UNDEFINED exception, %2.".
    static QString p2pExceptionText(const QString &tag, const std::exception &e);
    static QString undefinedExceptionText(const QString &tag);
};

} // namespace NtCommon
