#include "nt_common/core/file/FileNameGuard.h"

namespace NtCommon {

namespace {
constexpr int kMaxStemLength = 200;
}

bool FileNameGuard::isSafeStem(const QString &stem)
{
    // Counted in bytes as the file system counts them, with room left for an extension.
    if (stem.isEmpty() || stem.toUtf8().size() > kMaxStemLength || stem.contains(QLatin1String("..")))
        return false;
    if (stem.startsWith(QLatin1Char('.')) || stem.endsWith(QLatin1Char('.')) || stem.endsWith(QLatin1Char(' ')))
        return false;
    for (const QChar c : stem) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

} // namespace NtCommon
