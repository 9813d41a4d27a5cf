#pragma once

#include <QString>

namespace NtCommon {

// Names that arrive from the network become file names only through here.
class FileNameGuard
{
public:
    // True for a plain name: no path separator, no "..", nothing a file name
    // cannot hold on the desktops the client runs on, not empty, not too long.
    static bool isSafeStem(const QString &stem);
};

} // namespace NtCommon
