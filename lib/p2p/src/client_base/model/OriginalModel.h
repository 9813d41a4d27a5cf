#pragma once

#include "client_base/model/ModelBase.h"
#include "nt_common/core/dto/DTO.h"
#include "nt_common/model/RecordModel.h"

#include <QSharedPointer>

namespace P2pClientController {

// Client-side mirror of one table reached over the P2P server, keyed by the
// text `id` (whole-number ids by value, other texts after them).
class OriginalModel : public NtCommon::RecordModel
{
    Q_OBJECT
public:
    explicit OriginalModel(QObject *parent = nullptr);

    void setModelBase(const QSharedPointer<ModelBase> &description);
    QSharedPointer<ModelBase> modelBase() const;

    // Merges one message object; one without a usable `id` is logged and dropped.
    void addRow(const DTO &mapParams);
    using RecordModel::addRow;

    Q_INVOKABLE int findId(QString id) const;

    // The text form of an id as messages carry it (text or whole number); empty when unusable.
    static QString idText(const QVariant &id);
    // Order of ids: whole numbers by value, above any other text; texts by code units.
    static int compareIds(const QString &a, const QString &b);

private:
    QSharedPointer<ModelBase> m_modelBase;
};

} // namespace P2pClientController
