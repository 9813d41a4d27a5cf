#include "LabProcess.h"

#include "NetnsLab.h"

#include <QTest>

LabProcess::LabProcess(const QString &name) : m_name(name)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_process, &QProcess::readyRead, this, [this] {
        m_partial += m_process.readAll();
        int end;
        while ((end = m_partial.indexOf('\n')) >= 0) {
            m_lines << QString::fromUtf8(m_partial.left(end));
            m_partial.remove(0, end + 1);
        }
    });
}

LabProcess::~LabProcess()
{
    stop();
}

void LabProcess::start(const NetnsLab &lab, const QString &role, const QStringList &command, const QString &workDir)
{
    m_process.setWorkingDirectory(workDir);
    lab.startIn(m_process, role, command);
}

bool LabProcess::waitForLine(const QString &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !lastLine(text).isEmpty() || m_process.state() == QProcess::NotRunning; }, timeoutMs)
        && !lastLine(text).isEmpty();
}

QString LabProcess::lastLine(const QString &text) const
{
    for (int i = m_lines.size() - 1; i >= 0; --i) {
        if (m_lines.at(i).contains(text))
            return m_lines.at(i);
    }
    return QString();
}

void LabProcess::stop()
{
    NetnsLab::stop(m_process);
}

QString LabProcess::tail(int lines) const
{
    return m_name + QStringLiteral(":\n") + m_lines.mid(qMax(0, m_lines.size() - lines)).join(QLatin1Char('\n'));
}
