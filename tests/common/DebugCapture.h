#pragma once

#include <QString>
#include <QStringList>

#include <mutex>

// Collects the Qt debug output of every thread while it exists.
class DebugCapture
{
public:
    DebugCapture();
    ~DebugCapture();

    QStringList lines() const;
    bool contains(const QString &text) const;

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    // Not QMutex: the thread sanitizer cannot see Debian Qt's locks.
    mutable std::mutex m_mutex;
    QStringList m_lines;
    QtMessageHandler m_previous;
};
