#include "nt_common/core/log/LogText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace NtCommon {

namespace {

const QString kHidden = QStringLiteral("***");
// Deep enough for a relayed message inside a relay request; deeper nesting is left as text.
constexpr int kMaxDepth = 4;

QJsonValue redact(const QJsonValue &value, int depth);

// Set when a secret was hidden, so that a text without one is logged as it came.
thread_local bool t_redacted = false;

QJsonObject redactObject(QJsonObject object, int depth)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (LogText::isSecretKey(it.key())) {
            it.value() = kHidden;
            t_redacted = true;
        } else {
            it.value() = redact(it.value(), depth);
        }
    }
    return object;
}

QJsonArray redactArray(const QJsonArray &array, int depth)
{
    QJsonArray result;
    for (const QJsonValue &item : array)
        result.append(redact(item, depth));
    return result;
}

// A string holding a JSON object or array is a nested message: redacted and written back as text.
QJsonValue redactString(const QString &text, int depth)
{
    const QString trimmed = text.trimmed();
    if (depth >= kMaxDepth || !(trimmed.startsWith(QLatin1Char('{')) || trimmed.startsWith(QLatin1Char('['))))
        return text;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        return text;
    const QJsonDocument redacted = document.isObject() ? QJsonDocument(redactObject(document.object(), depth + 1))
                                                       : QJsonDocument(redactArray(document.array(), depth + 1));
    return QString::fromUtf8(redacted.toJson(QJsonDocument::Compact));
}

QJsonValue redact(const QJsonValue &value, int depth)
{
    if (value.isObject())
        return redactObject(value.toObject(), depth);
    if (value.isArray())
        return redactArray(value.toArray(), depth);
    if (value.isString())
        return redactString(value.toString(), depth);
    return value;
}

QString cutAndEscape(const QString &text, int fullBytes)
{
    const QString kept = text.left(LogText::kMaxLoggedBytes);
    QString escaped;
    escaped.reserve(kept.size() + 16);
    for (const QChar c : kept) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            escaped += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    if (kept.size() < text.size() || kept.toUtf8().size() < fullBytes)
        escaped += QStringLiteral("... [cut, %1 bytes in all]").arg(fullBytes);
    return escaped;
}

} // namespace

bool LogText::isSecretKey(const QString &key)
{
    static const QSet<QString> secrets{QStringLiteral("sid"),          QStringLiteral("secretkey"),
                                       QStringLiteral("password"),     QStringLiteral("pwd"),
                                       QStringLiteral("passwd"),       QStringLiteral("access_token"),
                                       QStringLiteral("refresh_token"), QStringLiteral("client_secret"),
                                       QStringLiteral("auth_key"),     QStringLiteral("token")};
    return secrets.contains(key.toLower());
}

QString LogText::message(const QByteArray &utf8)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError || (!document.isObject() && !document.isArray()))
        return untrusted(utf8);
    t_redacted = false;
    const QJsonDocument redacted = document.isObject() ? QJsonDocument(redactObject(document.object(), 0))
                                                       : QJsonDocument(redactArray(document.array(), 0));
    if (!t_redacted)
        return untrusted(utf8);
    return cutAndEscape(QString::fromUtf8(redacted.toJson(QJsonDocument::Compact)), utf8.size());
}

QString LogText::message(const QString &text)
{
    return message(text.toUtf8());
}

QString LogText::untrusted(const QByteArray &utf8)
{
    // Only the part that is logged is decoded.
    return cutAndEscape(QString::fromUtf8(utf8.left(kMaxLoggedBytes * 4)), utf8.size());
}

QString LogText::untrusted(const QString &text)
{
    return cutAndEscape(text.left(kMaxLoggedBytes + 1), text.toUtf8().size());
}

} // namespace NtCommon
