#pragma once

#include <QString>

// Lines of a bench's report on standard output, flushed at once so that a
// bench cut short still shows what it measured.
namespace BenchReport {

void say(const QString &text);
// Says why the bench stops, after its name; returns the exit code 1.
int fail(const QString &bench, const QString &why);

} // namespace BenchReport
