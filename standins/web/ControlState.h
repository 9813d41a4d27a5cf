#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace Standin {

// An answer a test has put in place of the real one for a path.
struct CannedAnswer
{
    int status = 200;
    std::string contentType;
    std::string body;
};

// What tests steer and observe: requests received per path, canned answers and
// stalls. Safe from any thread.
class ControlState
{
public:
    void record(const std::string &method, const std::string &path, const std::string &target,
                const QJsonObject &headers, const std::string &body);
    QJsonObject counts();
    QJsonArray received();

    void setAnswer(const std::string &path, const CannedAnswer &answer);
    void clearAnswer(const std::string &path);
    std::optional<CannedAnswer> answerFor(const std::string &path);

    void setStall(const std::string &path, int milliseconds);
    int stallFor(const std::string &path);

    void reset();

private:
    std::mutex m_mutex;
    std::map<std::string, int> m_counts;
    QJsonArray m_received;
    std::map<std::string, CannedAnswer> m_answers;
    std::map<std::string, int> m_stalls;
};

} // namespace Standin
