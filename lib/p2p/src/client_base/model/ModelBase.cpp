#include "client_base/model/ModelBase.h"

#include <stdexcept>

namespace P2pClientController {

ModelBase::ModelBase(const QString &tableName)
    : m_tableName(tableName)
{
    addField(QStringLiteral("id"), PropId, TypeText, QString(), tr("ID"));
    addField(QStringLiteral("dtUpdate"), PropUpdate, TypeInt, 0, tr("Update time"));
    addField(QStringLiteral("dtInsert"), PropInsert, TypeInt, 0, tr("Insert time"));
    addField(QStringLiteral("rst_id_user_locked"), PropPlain, TypeText, QString(), tr("Locked by"));
}

ModelBase::~ModelBase() = default;

const FieldDescr &ModelBase::getFieldDescr(const QString &fieldName) const
{
    const auto it = m_fields.constFind(fieldName);
    if (it == m_fields.constEnd())
        throw std::runtime_error(
            QStringLiteral("ModelBase::getFieldDescr, no such field '%1' in '%2'").arg(fieldName, m_tableName).toStdString());
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

void ModelBase::addField(const QString &name, qint64 properties, int type, const QVariant &defaultValue, const QString &title)
{
    FieldDescr descr(properties);
    descr.type = type;
    descr.defaultValue = defaultValue;
    descr.title = title;
    m_fields.insert(name, descr);
}

void ModelBase::setLimit(qint64 limit)
{
    m_limit = limit;
}

} // namespace P2pClientController
