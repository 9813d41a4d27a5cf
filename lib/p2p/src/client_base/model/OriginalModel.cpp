#include "client_base/model/OriginalModel.h"

namespace P2pClientController {

namespace {
const NtCommon::RecordKey &idKey()
{
    static const NtCommon::RecordKey key(NtCommon::RecordKey::Kind::Text, QStringLiteral("id"));
    return key;
}
} // namespace

OriginalModel::OriginalModel(QObject *parent)
    : RecordModel(idKey(), parent)
{
}

void OriginalModel::setModelBase(const QSharedPointer<ModelBase> &description)
{
    if (!description)
        return;
    m_modelBase = description;
    setCatalog(std::make_unique<NtCommon::FieldCatalogOf<ModelBase>>(description));
}

QSharedPointer<ModelBase> OriginalModel::modelBase() const
{
    return m_modelBase;
}

void OriginalModel::addRow(const DTO &mapParams)
{
    addRow(mapParams.toVariantMap());
}

int OriginalModel::findId(QString id) const
{
    return rowOfKeyText(id);
}

QString OriginalModel::idText(const QVariant &id)
{
    return NtCommon::RecordKey::idText(id);
}

int OriginalModel::compareIds(const QString &a, const QString &b)
{
    NtCommon::RecordKey::Value left;
    NtCommon::RecordKey::Value right;
    idKey().fromText(a, &left);
    idKey().fromText(b, &right);
    return idKey().compare(left, right);
}

} // namespace P2pClientController
