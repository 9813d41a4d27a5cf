#pragma once

#include <QObject>
#include <QVariant>
#include <QVector>

namespace NtCommon {

class RecordModel;
class RecordProxy;

// One list answer as both links handle it: the model is cleared first when
// the answer replaces it, and every record added while the answer is handled
// (by the controller or by the screens) is merged as one batch at the end.
class TableAnswer
{
public:
    TableAnswer(RecordModel *model, bool clearFirst);
    ~TableAnswer();
    TableAnswer(const TableAnswer &) = delete;
    TableAnswer &operator=(const TableAnswer &) = delete;

    void merge(const QVector<QVariantMap> &records);

    // After the answer the query asked for: re-sort the proxy by its current order and mark the model loaded.
    static void finish(RecordModel *model, RecordProxy *proxy);
    // Removes the record the server reported gone, if the model holds it.
    static void removeRecord(RecordModel *model, const QVariant &key);

    // A controller takes its record model (relaying the model's loaded flag) and its proxy over it.
    template <class Controller, class Model>
    static void attachModel(Controller *controller, Model *&slot, Model *model)
    {
        slot = model;
        if (model)
            QObject::connect(model, &Model::dataAtLeastLoadedChanged, controller, &Controller::dataAtLeastLoadedChanged);
    }
    template <class Proxy, class Model>
    static void attachProxy(Proxy *&slot, Proxy *proxy, Model *model)
    {
        slot = proxy;
        if (proxy)
            proxy->setOriginalModel(model);
    }

private:
    RecordModel *m_model;
};

} // namespace NtCommon
