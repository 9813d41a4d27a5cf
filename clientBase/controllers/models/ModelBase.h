#pragma once

#include "controllers/models/FieldDescr.h"
#include "nt_common/model/FieldTable.h"

#include <QCoreApplication>

namespace LYNCommon {

// Describes one server table: its fields, their titles, defaults and type codes,
// and how many rows a record model of it keeps (0: no limit).
class ModelBase : public NtCommon::FieldTable<ModelBase, FieldDescr>
{
    Q_DECLARE_TR_FUNCTIONS(ModelBase)
public:
    // Property bits.
    enum Property : qint64 { PropPlain = 1, PropRowId = 2, PropUpdate = 4, PropInsert = 8, PropClientSide = 256 };

    ModelBase();
    virtual ~ModelBase();

    static QString missingFieldText(const QString &table, const QString &field);

protected:
    void addField(const QString &name, qint64 properties, int type, bool flag, const QVariant &defaultValue,
                  const QString &title = QString());
};

} // namespace LYNCommon
