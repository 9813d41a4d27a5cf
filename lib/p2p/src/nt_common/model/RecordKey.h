#pragma once

#include <QString>
#include <QVariant>

namespace NtCommon {

// How a table names its records: a whole-number field (`rowID`) or a text
// field (`id`, whole numbers by value above any other text). Rows are kept in
// descending key order, so every look-up is a binary search.
class RecordKey
{
public:
    enum class Kind { Integer, Text };

    struct Value
    {
        qint64 number = 0;
        QString text;
        bool numeric = true;
    };

    RecordKey(Kind kind, const QString &field);

    Kind kind() const;
    const QString &field() const;

    // Key of a record's field value. An integer key is always usable (0 for
    // anything that is not a whole number); a text key is not when empty.
    bool fromRecord(const QVariant &value, Value *key) const;
    // Key named by text from QML or a message; false when it cannot name a record.
    bool fromText(const QString &text, Value *key) const;
    // The form the record map stores for `value` (text ids are stored as text).
    QVariant stored(const QVariant &value) const;
    // <0, 0, >0 as a sorts below, equal to or above b.
    // Inline: merges and searches call it for every step.
    int compare(const Value &a, const Value &b) const
    {
        if (a.numeric && b.numeric)
            return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        if (a.numeric != b.numeric)
            return a.numeric ? 1 : -1;
        return QString::compare(a.text, b.text);
    }

    // Strings as they are, whole numbers in decimal, anything else empty.
    static QString idText(const QVariant &id);
    // A whole number from a number or a decimal text; false for anything else.
    static bool wholeNumber(const QVariant &value, qint64 *number);
    // A time in milliseconds; false when it is not a usable whole number.
    static bool stamp(const QVariant &value, qint64 *ms);

private:
    Kind m_kind;
    QString m_field;
};

} // namespace NtCommon
