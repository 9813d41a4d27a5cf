#pragma once

#include <QtGlobal>

// CPU seconds (user + system) used so far by a process.
namespace CpuMeter {

double selfSeconds();
// -1 when the process cannot be read.
double processSeconds(qint64 pid);
// The Xvfb serving this process's DISPLAY, 0 when there is none.
qint64 displayServerPid();

} // namespace CpuMeter
