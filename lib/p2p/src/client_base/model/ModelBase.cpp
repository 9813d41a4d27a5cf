#include "client_base/model/ModelBase.h"

namespace P2pClientController {

ModelBase::ModelBase(const QString &tableName)
    : FieldTable(tableName)
{
    addField(QStringLiteral("id"), PropId, TypeText, QString(), tr("ID"));
    addField(QStringLiteral("dtUpdate"), PropUpdate, TypeInt, 0, tr("Update time"));
    addField(QStringLiteral("dtInsert"), PropInsert, TypeInt, 0, tr("Insert time"));
    addField(QStringLiteral("rst_id_user_locked"), PropPlain, TypeText, QString(), tr("Locked by"));
}

ModelBase::~ModelBase() = default;

QString ModelBase::missingFieldText(const QString &table, const QString &field)
{
    return QStringLiteral("ModelBase::getFieldDescr, no such field '%1' in '%2'").arg(field, table);
}

void ModelBase::addField(const QString &name, qint64 properties, int type, const QVariant &defaultValue, const QString &title)
{
    FieldDescr descr(properties);
    descr.type = type;
    descr.defaultValue = defaultValue;
    descr.title = title;
    declare(name, descr);
}

} // namespace P2pClientController
