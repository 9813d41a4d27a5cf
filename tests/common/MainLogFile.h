#pragma once

#include <QDir>
#include <QFile>
#include <QString>

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
