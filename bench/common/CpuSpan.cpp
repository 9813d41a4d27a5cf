#include "CpuSpan.h"

#include "CpuMeter.h"

CpuSpan::CpuSpan()
    : m_server(CpuMeter::displayServerPid())
    , m_selfStart(CpuMeter::selfSeconds())
    , m_serverStart(CpuMeter::processSeconds(m_server))
{
    m_clock.start();
}

double CpuSpan::elapsedSeconds() const
{
    return m_clock.elapsed() / 1000.0;
}

double CpuSpan::selfPerSecond() const
{
    return (CpuMeter::selfSeconds() - m_selfStart) / elapsedSeconds();
}

double CpuSpan::displayServerPerSecond() const
{
    return (CpuMeter::processSeconds(m_server) - m_serverStart) / elapsedSeconds();
}
