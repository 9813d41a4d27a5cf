#include "nt_common/model/TableAnswer.h"

#include "nt_common/model/RecordModel.h"
#include "nt_common/model/RecordProxy.h"

namespace NtCommon {

TableAnswer::TableAnswer(RecordModel *model, bool clearFirst)
    : m_model(model)
{
    if (!m_model)
        return;
    if (clearFirst)
        m_model->clear();
    m_model->beginBatch();
}

TableAnswer::~TableAnswer()
{
    if (m_model)
        m_model->endBatch();
}

void TableAnswer::merge(const QVector<QVariantMap> &records)
{
    if (m_model)
        m_model->mergeRecords(records);
}

void TableAnswer::finish(RecordModel *model, RecordProxy *proxy)
{
    if (proxy)
        proxy->sortRows();
    if (model)
        model->setDataAtLeastLoaded(true);
}

void TableAnswer::removeRecord(RecordModel *model, const QVariant &key)
{
    if (!model)
        return;
    const int row = model->checkValueByRole(model->recordKey().field(), key);
    if (row >= 0)
        model->removeRow(row);
}

} // namespace NtCommon
