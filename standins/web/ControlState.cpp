#include "ControlState.h"

namespace Standin {

namespace {

// Enough for any test; a long demo session does not grow without end.
const int kMaxRecorded = 2000;

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

} // namespace

void ControlState::record(const std::string &method, const std::string &path, const std::string &target,
                          const QJsonObject &headers, const std::string &body)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_counts[path];
    if (m_received.size() >= kMaxRecorded)
        m_received.removeFirst();
    m_received.append(QJsonObject{
        {QStringLiteral("method"), text(method)},
        {QStringLiteral("path"), text(path)},
        {QStringLiteral("target"), text(target)},
        {QStringLiteral("headers"), headers},
        {QStringLiteral("body"), text(body)},
    });
}

QJsonObject ControlState::counts()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonObject counts;
    for (const auto &entry : m_counts)
        counts.insert(text(entry.first), entry.second);
    return counts;
}

QJsonArray ControlState::received()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

void ControlState::setAnswer(const std::string &path, const CannedAnswer &answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers[path] = answer;
}

void ControlState::clearAnswer(const std::string &path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.erase(path);
}

std::optional<CannedAnswer> ControlState::answerFor(const std::string &path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_answers.find(path);
    if (found == m_answers.end())
        return std::nullopt;
    return found->second;
}

void ControlState::setStall(const std::string &path, int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stalls[path] = milliseconds;
}

int ControlState::stallFor(const std::string &path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_stalls.find(path);
    return found == m_stalls.end() ? 0 : found->second;
}

void ControlState::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_counts.clear();
    m_received = QJsonArray();
    m_answers.clear();
    m_stalls.clear();
}

} // namespace Standin
