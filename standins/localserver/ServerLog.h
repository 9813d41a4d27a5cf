#pragma once

#include <QFile>
#include <QString>

namespace Standin {

// Writes each line to standard output and, when a file is given, appends it there.
class ServerLog
{
public:
    explicit ServerLog(const QString &filePath = QString());

    void line(const QString &text);
    // A message's text with passwords, tokens, codes and the credentials in
    // source addresses masked.
    static QString redacted(const QString &message);

private:
    QFile m_file;
};

} // namespace Standin
