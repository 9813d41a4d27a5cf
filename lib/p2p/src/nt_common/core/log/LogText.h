#pragma once

#include <QByteArray>
#include <QString>

namespace NtCommon {

// Message text made fit for a log line: secret values replaced, the text cut
// to a few kilobytes with a note of its full size, control characters escaped
// so that a message cannot forge log lines.
class LogText
{
public:
    static constexpr int kMaxLoggedBytes = 4096;

    // A JSON message (also one nested in a string value, as relayed texts are)
    // gets the values of its secret keys replaced by "***".
    static QString message(const QByteArray &utf8);
    static QString message(const QString &text);
    // Untrusted text that is not a message: cut and escaped only.
    static QString untrusted(const QByteArray &utf8);
    static QString untrusted(const QString &text);

    static bool isSecretKey(const QString &key);
};

} // namespace NtCommon
