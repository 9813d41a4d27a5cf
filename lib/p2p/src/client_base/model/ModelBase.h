#pragma once

#include "client_base/model/FieldDescr.h"
#include "nt_common/model/FieldTable.h"

#include <QCoreApplication>

namespace P2pClientController {

// Describes one table reached over the P2P server: its name, fields and row cap.
// Every table has the text key `id`, the times and the lock owner.
class ModelBase : public NtCommon::FieldTable<ModelBase, FieldDescr>
{
    Q_DECLARE_TR_FUNCTIONS(ModelBase)
public:
    enum Property : qint64 { PropPlain = 1, PropId = 2, PropUpdate = 4, PropInsert = 8 };

    explicit ModelBase(const QString &tableName = QString());
    virtual ~ModelBase();

    static QString missingFieldText(const QString &table, const QString &field);

protected:
    void addField(const QString &name, qint64 properties, int type, const QVariant &defaultValue,
                  const QString &title = QString());
};

} // namespace P2pClientController
