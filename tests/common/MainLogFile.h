#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <spdlog/spdlog.h>

// Everything the "main" logger has written so far to the log file that
// LogSetup::start(dir) made.
inline QString readMainLog(const QString &dir)
{
    spdlog::get("main")->flush();
    const QDir logs(QDir(dir).filePath("logs"));
    QFile file(logs.filePath(logs.entryList(QDir::Files).value(0)));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The last warnings and errors of the log files under dir/logs: what a failed
// case of a started client prints, as the test's own output rarely tells why.
inline QString mainLogWarnings(const QString &dir, int lines = 60)
{
    if (const auto logger = spdlog::get("main"))
        logger->flush();
    QStringList found;
    const QDir logs(QDir(dir).filePath("logs"));
    for (const QString &name : logs.entryList(QDir::Files, QDir::Name)) {
        QFile file(logs.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.contains(QLatin1String("] [warning] ")) || line.contains(QLatin1String("] [error] ")))
                found << line.left(300);
        }
    }
    return QStringLiteral("client log, last warnings:\n") + found.mid(found.size() - lines).join(QLatin1Char('\n'));
}
