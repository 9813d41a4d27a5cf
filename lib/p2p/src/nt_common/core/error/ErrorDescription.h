#pragma once

#include <QString>

namespace NtCommon {

// The one text form of every error the client raises:
// "'<subject>', line: '<line>' descriptions: '<description>'."
class ErrorDescription
{
public:
    static QString text(const QString &subject, int line, const QString &description);
    [[noreturn]] static void raise(const QString &subject, int line, const QString &description);
};

} // namespace NtCommon
