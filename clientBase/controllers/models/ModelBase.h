#pragma once

#include "controllers/models/FieldDescr.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>

namespace LYNCommon {

// Describes one server table: its fields, their titles, defaults and type codes,
// and how many rows a record model of it keeps (0: no limit).
class ModelBase
{
    Q_DECLARE_TR_FUNCTIONS(ModelBase)
public:
    // Type codes the proxy compares by.
    enum Type { TypeTile = 1, TypeInt = 2, TypeReal = 3, TypeDouble = 4, TypeText = 6, TypeBool = 7 };
    // Property bits.
    enum Property : qint64 { PropPlain = 1, PropRowId = 2, PropUpdate = 4, PropInsert = 8, PropClientSide = 256 };

    ModelBase();
    virtual ~ModelBase();

    // Raises for a field the table does not declare.
    const FieldDescr &getFieldDescr(const QString &fieldName) const;
    const QMap<QString, FieldDescr> &fields() const;
    // Type code of a field; 0 for a name the table does not declare.
    int fieldType(const QString &fieldName) const;
    qint64 limit() const;
    QString tableName() const;

protected:
    void addField(const QString &name, qint64 properties, int type, bool flag, const QVariant &defaultValue,
                  const QString &title = QString());
    void setLimit(qint64 limit);

private:
    QString m_tableName;
    QMap<QString, FieldDescr> m_fields;
    qint64 m_limit = 0;
};

} // namespace LYNCommon
