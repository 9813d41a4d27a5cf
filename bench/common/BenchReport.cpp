#include "BenchReport.h"

#include <cstdio>

namespace BenchReport {

void say(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

int fail(const QString &bench, const QString &why)
{
    say(bench + QStringLiteral(": ") + why);
    return 1;
}

} // namespace BenchReport
