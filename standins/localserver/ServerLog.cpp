#include "ServerLog.h"

#include <QDateTime>
#include <QRegularExpression>
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

QString ServerLog::redacted(const QString &message)
{
    static const QRegularExpression secretValue(QStringLiteral(
        "(\"(?:password|access_token|refresh_token|authKey|oauthParams|code|demoCode)\"\\s*:\\s*)\"(?:[^\"\\\\]|\\\\.)*\""));
    static const QRegularExpression urlCredentials(QStringLiteral("(://[^:/@\\s\"]*:)[^@/\\s\"]*@"));
    QString masked = message;
    masked.replace(secretValue, QStringLiteral("\\1\"***\""));
    masked.replace(urlCredentials, QStringLiteral("\\1***@"));
    return masked;
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
