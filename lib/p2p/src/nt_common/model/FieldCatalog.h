#pragma once

#include <QSharedPointer>
#include <QStringList>
#include <QVariant>

namespace NtCommon {

// What a record model asks of its table description. The descriptions of the
// two links are separate classes with the same operations; FieldCatalogOf
// adapts either.
class FieldCatalog
{
public:
    virtual ~FieldCatalog() = default;
    virtual QStringList names() const = 0;
    // Type code; 0 for a field the table does not declare.
    virtual int type(const QString &name) const = 0;
    virtual qint64 limit() const = 0;
    // Empty for a field the table does not declare.
    virtual QString titleOrEmpty(const QString &name) const = 0;
    // These raise the description's error for a field the table does not declare.
    virtual QString title(const QString &name) const = 0;
    virtual qint64 properties(const QString &name) const = 0;
    virtual qint64 seqNum(const QString &name) const = 0;
};

template <class Description>
class FieldCatalogOf : public FieldCatalog
{
public:
    explicit FieldCatalogOf(const QSharedPointer<Description> &description)
        : m_description(description)
    {
    }

    QStringList names() const override { return m_description->fields().keys(); }
    int type(const QString &name) const override { return m_description->fieldType(name); }
    qint64 limit() const override { return m_description->limit(); }
    QString titleOrEmpty(const QString &name) const override
    {
        const auto &fields = m_description->fields();
        const auto it = fields.constFind(name);
        return it == fields.constEnd() ? QString() : it->title;
    }
    QString title(const QString &name) const override { return m_description->getFieldDescr(name).title; }
    qint64 properties(const QString &name) const override { return m_description->getFieldDescr(name).properties; }
    qint64 seqNum(const QString &name) const override { return m_description->getFieldDescr(name).seqNum; }

private:
    QSharedPointer<Description> m_description;
};

} // namespace NtCommon
