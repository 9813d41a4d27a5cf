#include "nt_common/model/SearchPattern.h"

#include <algorithm>

namespace NtCommon {

namespace {
bool isPlainWord(const QString &word)
{
    static const QString syntax = QStringLiteral("\\^$.|?*+()[]{}");
    for (const QChar c : word) {
        if (syntax.contains(c))
            return false;
    }
    return true;
}

bool isOneLine(const QString &text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}
} // namespace

SearchPattern::SearchPattern(const QString &text, bool extended)
{
    QString pattern = text;
    QStringList words{text};
    if (extended) {
        const QStringList parts = text.split(QLatin1Char(' '));
        if (parts.size() >= 2) {
            pattern.clear();
            for (const QString &part : parts)
                pattern += QStringLiteral("(?=.*") + part + QLatin1Char(')');
            words = parts;
        }
    }
    m_expression = QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
    m_expression.optimize();
    m_plain = std::all_of(words.cbegin(), words.cend(), isPlainWord);
    if (m_plain)
        m_words = words;
}

QString SearchPattern::pattern() const
{
    return m_expression.pattern();
}

bool SearchPattern::isValid() const
{
    return m_expression.isValid();
}

QString SearchPattern::errorString() const
{
    return m_expression.errorString();
}

bool SearchPattern::matchesEverything() const
{
    return m_expression.pattern().isEmpty();
}

bool SearchPattern::matches(const QString &text) const
{
    if (!m_plain)
        return m_expression.match(text).hasMatch();
    for (const QString &word : m_words) {
        if (!text.contains(word, Qt::CaseInsensitive))
            return false;
    }
    // Each look-ahead sees one line: words found in a text with line breaks
    // may stand in different lines, which the expression alone can tell.
    return m_words.size() < 2 || isOneLine(text) || m_expression.match(text).hasMatch();
}

} // namespace NtCommon
