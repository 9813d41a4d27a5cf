#include "controllers/models/ModelBase.h"

namespace LYNCommon {

ModelBase::ModelBase()
    : FieldTable(QString())
{
    addField(QStringLiteral("rowID"), PropRowId, TypeInt, true, QVariant(), tr("ID"));
    addField(QStringLiteral("dtUpdate"), PropUpdate, TypeInt, true, 0, tr("Update time"));
    addField(QStringLiteral("dtInsert"), PropInsert, TypeInt, true, 0, tr("Insert time"));
}

ModelBase::~ModelBase() = default;

QString ModelBase::missingFieldText(const QString &table, const QString &field)
{
    return QStringLiteral("ModelBase::getFieldDescr was called on wrong field, table: '%1', fldName: '%2'").arg(table, field);
}

void ModelBase::addField(const QString &name, qint64 properties, int type, bool flag, const QVariant &defaultValue,
                         const QString &title)
{
    FieldDescr descr(properties);
    descr.setTypeFlagDefault(type, flag, defaultValue);
    descr.setTitle(title);
    declare(name, descr);
}

} // namespace LYNCommon
