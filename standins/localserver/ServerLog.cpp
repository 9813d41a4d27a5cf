#include "ServerLog.h"

#include <QDateTime>
#include <QTextStream>

#include <cstdio>

namespace Standin {

ServerLog::ServerLog(const QString &filePath)
{
    if (!filePath.isEmpty()) {
        m_file.setFileName(filePath);
        m_file.open(QIODevice::Append | QIODevice::Text);
    }
}

void ServerLog::line(const QString &text)
{
    const QByteArray stamped = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(stamped.constData(), 1, static_cast<size_t>(stamped.size()), stdout);
    std::fflush(stdout);
    if (m_file.isOpen()) {
        m_file.write(stamped);
        m_file.flush();
    }
}

} // namespace Standin
