#include "controllers/models/ModelBase.h"

#include <stdexcept>

namespace LYNCommon {

ModelBase::ModelBase()
{
    addField(QStringLiteral("rowID"), PropRowId, TypeInt, true, QVariant(), tr("ID"));
    addField(QStringLiteral("dtUpdate"), PropUpdate, TypeInt, true, 0, tr("Update time"));
    addField(QStringLiteral("dtInsert"), PropInsert, TypeInt, true, 0, tr("Insert time"));
}

ModelBase::~ModelBase() = default;

const FieldDescr &ModelBase::getFieldDescr(const QString &fieldName) const
{
    const auto it = m_fields.constFind(fieldName);
    if (it == m_fields.constEnd())
        throw std::runtime_error(QStringLiteral("ModelBase::getFieldDescr was called on wrong field, table: '%1', fldName: '%2'")
                                     .arg(m_tableName, fieldName)
                                     .toStdString());
    return it.value();
}

const QMap<QString, FieldDescr> &ModelBase::fields() const
{
    return m_fields;
}

int ModelBase::fieldType(const QString &fieldName) const
{
    const auto it = m_fields.constFind(fieldName);
    return it == m_fields.constEnd() ? 0 : it->type;
}

qint64 ModelBase::limit() const
{
    return m_limit;
}

QString ModelBase::tableName() const
{
    return m_tableName;
}

void ModelBase::addField(const QString &name, qint64 properties, int type, bool flag, const QVariant &defaultValue,
                         const QString &title)
{
    FieldDescr descr(properties);
    descr.setTypeFlagDefault(type, flag, defaultValue);
    descr.setTitle(title);
    m_fields.insert(name, descr);
}

void ModelBase::setLimit(qint64 limit)
{
    m_limit = limit;
}

} // namespace LYNCommon
