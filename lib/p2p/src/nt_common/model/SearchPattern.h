#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace NtCommon {

// The free-text search of a proxy. Several words (extended search) must all
// stand in one line of a field, in any order and case. Words without regular
// expression syntax are found by a case-blind substring search, which gives
// the expression's answer at a fraction of its cost.
class SearchPattern
{
public:
    SearchPattern() = default;
    SearchPattern(const QString &text, bool extended);

    // The expression as compiled; compared with a new search text to skip a repeat.
    QString pattern() const;
    bool isValid() const;
    QString errorString() const;
    bool matchesEverything() const;
    bool matches(const QString &text) const;

private:
    QRegularExpression m_expression;
    QStringList m_words;
    bool m_plain = false;
};

} // namespace NtCommon
