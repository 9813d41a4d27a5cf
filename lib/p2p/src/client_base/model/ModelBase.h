#pragma once

#include "client_base/model/FieldDescr.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>

namespace P2pClientController {

// Describes one table reached over the P2P server: its name, fields and row cap.
// Every table has the text key `id`, the times and the lock owner.
class ModelBase
{
    Q_DECLARE_TR_FUNCTIONS(ModelBase)
public:
    enum Type { TypeTile = 1, TypeInt = 2, TypeReal = 3, TypeDouble = 4, TypeText = 6, TypeBool = 7 };
    enum Property : qint64 { PropPlain = 1, PropId = 2, PropUpdate = 4, PropInsert = 8 };

    explicit ModelBase(const QString &tableName = QString());
    virtual ~ModelBase();

    // Raises for a field the table does not declare.
    const FieldDescr &getFieldDescr(const QString &fieldName) const;
    const QMap<QString, FieldDescr> &fields() const;
    // Type code of a field; 0 for a name the table does not declare.
    int fieldType(const QString &fieldName) const;
    qint64 limit() const;
    QString tableName() const;

protected:
    void addField(const QString &name, qint64 properties, int type, const QVariant &defaultValue,
                  const QString &title = QString());
    void setLimit(qint64 limit);

private:
    QString m_tableName;
    QMap<QString, FieldDescr> m_fields;
    qint64 m_limit = 0;
};

} // namespace P2pClientController
