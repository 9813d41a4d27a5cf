#pragma once

#include <QMap>
#include <QString>

#include <atomic>
#include <stdexcept>

namespace NtCommon {

// Declaration numbers of one kind of field descriptor: each kind counts on its
// own, from 0, in construction order across the whole process.
template <class Descriptor>
class DeclarationCounter
{
public:
    static qint64 next() { return s_next++; }

private:
    static inline std::atomic<qint64> s_next{0};
};

// The field map, name and row cap of a table description, shared by the two
// links' descriptions. `Description` says how an undeclared field is reported
// (static QString missingFieldText(const QString &table, const QString &field)).
template <class Description, class Descriptor>
class FieldTable
{
public:
    // Type codes the proxy compares by.
    enum Type { TypeTile = 1, TypeInt = 2, TypeReal = 3, TypeDouble = 4, TypeText = 6, TypeBool = 7 };

    // Raises for a field the table does not declare.
    const Descriptor &getFieldDescr(const QString &fieldName) const
    {
        const auto it = m_fields.constFind(fieldName);
        if (it == m_fields.constEnd())
            throw std::runtime_error(Description::missingFieldText(m_tableName, fieldName).toStdString());
        return it.value();
    }
    const QMap<QString, Descriptor> &fields() const { return m_fields; }
    // Type code of a field; 0 for a name the table does not declare.
    int fieldType(const QString &fieldName) const
    {
        const auto it = m_fields.constFind(fieldName);
        return it == m_fields.constEnd() ? 0 : it->type;
    }
    qint64 limit() const { return m_limit; }
    QString tableName() const { return m_tableName; }

protected:
    explicit FieldTable(const QString &tableName)
        : m_tableName(tableName)
    {
    }
    ~FieldTable() = default;

    // A later field of the same name replaces the earlier one.
    void declare(const QString &name, const Descriptor &descriptor) { m_fields.insert(name, descriptor); }
    void setLimit(qint64 limit) { m_limit = limit; }

private:
    QString m_tableName;
    QMap<QString, Descriptor> m_fields;
    qint64 m_limit = 0;
};

} // namespace NtCommon
