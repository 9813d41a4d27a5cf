#include "DebugCapture.h"

namespace {
DebugCapture *g_capture = nullptr;
}

DebugCapture::DebugCapture()
{
    g_capture = this;
    m_previous = qInstallMessageHandler(&DebugCapture::handler);
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(m_previous);
    g_capture = nullptr;
}

QStringList DebugCapture::lines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

bool DebugCapture::contains(const QString &text) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QString &line : m_lines) {
        if (line.contains(text))
            return true;
    }
    return false;
}

void DebugCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (DebugCapture *capture = g_capture) {
        std::lock_guard<std::mutex> lock(capture->m_mutex);
        capture->m_lines.append(message);
        if (capture->m_previous)
            capture->m_previous(type, context, message);
    }
}
