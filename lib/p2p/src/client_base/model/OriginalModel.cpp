#include "client_base/model/OriginalModel.h"

#include <spdlog/spdlog.h>

#include <cmath>

namespace P2pClientController {

namespace {
const QString kId = QStringLiteral("id");
const QString kDtUpdate = QStringLiteral("dtUpdate");

void warn(const std::string &text)
{
    if (auto log = spdlog::get("main"))
        log->warn(text);
}
} // namespace

int OriginalModel::compareIds(const QString &a, const QString &b)
{
    bool aNum = false;
    bool bNum = false;
    const qint64 av = a.toLongLong(&aNum);
    const qint64 bv = b.toLongLong(&bNum);
    if (aNum && bNum)
        return av < bv ? -1 : (av > bv ? 1 : 0);
    if (aNum != bNum)
        return aNum ? 1 : -1;
    return QString::compare(a, b);
}

OriginalModel::OriginalModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int OriginalModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant OriginalModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return QVariant();
    if (role < kFirstRole) {
        if (auto log = spdlog::get("main"))
            log->critical("Critical Error: role '{}' not found in role list: [{}]", m_lastMissingRole.toStdString(),
                          m_roleList.join(QStringLiteral(", ")).toStdString());
        return QVariant();
    }
    const int field = role - kFirstRole;
    if (field >= m_roleList.size())
        return QVariant();
    return m_rows.at(index.row()).value(m_roleList.at(field));
}

bool OriginalModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_modelBase || role < kFirstRole || role - kFirstRole >= m_roleList.size())
        return false;
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return false;
    return writeField(index.row(), m_roleList.at(role - kFirstRole), value);
}

QHash<int, QByteArray> OriginalModel::roleNames() const
{
    QHash<int, QByteArray> names;
    if (!m_modelBase)
        return names;
    for (int i = 0; i < m_roleList.size(); ++i)
        names.insert(kFirstRole + i, m_roleList.at(i).toLatin1());
    return names;
}

void OriginalModel::setModelBase(const QSharedPointer<ModelBase> &description)
{
    if (!description)
        return;
    m_modelBase = description;
    m_roleList = description->fields().keys();
}

QSharedPointer<ModelBase> OriginalModel::modelBase() const
{
    return m_modelBase;
}

int OriginalModel::roleOf(const QString &name) const
{
    const int i = m_roleList.indexOf(name);
    if (i < 0) {
        m_lastMissingRole = name;
        return kMissingRole;
    }
    return kFirstRole + i;
}

QVariant OriginalModel::fieldValue(int row, const QString &name) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.at(row).value(name);
}

int OriginalModel::checkValueByRole(QString role, QVariant value) const
{
    if (role == kId)
        return findId(idText(value));
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).value(role) == value)
            return row;
    }
    return -1;
}

int OriginalModel::checkValueByRole(QStringList roles, QVariantList values) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        const QVariantMap &record = m_rows.at(row);
        bool all = true;
        for (int i = 0; i < roles.size() && all; ++i)
            all = i < values.size() && record.value(roles.at(i)) == values.at(i);
        if (all)
            return row;
    }
    return -1;
}

int OriginalModel::findId(QString id) const
{
    if (id.isEmpty())
        return -1;
    const SearchResult r = searchId(id);
    return r.found ? r.row : -1;
}

QVariantMap OriginalModel::originalData(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariantMap();
    return m_rows.at(row);
}

QVariant OriginalModel::originalData(int row, QString role) const
{
    return data(index(row, 0), roleOf(role));
}

QVariant OriginalModel::originalData(QString parameterRole, QString parameter, QString valueRole) const
{
    for (const QVariantMap &record : m_rows) {
        if (record.value(parameterRole).toString() == parameter)
            return record.value(valueRole);
    }
    return QVariant();
}

void OriginalModel::addRow(const DTO &mapParams)
{
    addRow(mapParams.toVariantMap());
}

void OriginalModel::addRow(QVariantMap mapParams)
{
    const QString id = idText(mapParams.value(kId));
    if (id.isEmpty()) {
        warn("OriginalModel::addRow: record without a usable id dropped");
        return;
    }
    const QVariant newUpdate = mapParams.value(kDtUpdate);
    const bool hasUpdate = newUpdate.isValid() && !newUpdate.toString().isEmpty();
    qint64 update = 0;
    if (hasUpdate && !toStamp(newUpdate, &update)) {
        warn("OriginalModel::addRow: record with an unusable dtUpdate dropped, id: '" + id.toStdString() + "'");
        return;
    }
    // Stored ids are always text, whatever form the message used.
    mapParams.insert(kId, id);
    const SearchResult r = searchId(id);
    if (r.found) {
        qint64 stored = 0;
        const bool apply = !hasUpdate || !toStamp(m_rows.at(r.row).value(kDtUpdate), &stored) || update >= stored;
        if (apply) {
            for (auto it = mapParams.constBegin(); it != mapParams.constEnd(); ++it) {
                if (m_roleList.contains(it.key()))
                    writeField(r.row, it.key(), it.value());
            }
            const QModelIndex changed = index(r.row, 0);
            emit dataChanged(changed, changed, {});
            emit dataListChanged(r.row);
        }
    } else {
        beginInsertRows(QModelIndex(), r.row, r.row);
        m_rows.insert(r.row, mapParams);
        endInsertRows();
        emit rowCountChanged(m_rows.size());
        applyLimit();
    }
    if (update > m_maxDtUtcLastUpdate)
        m_maxDtUtcLastUpdate = update;
}

void OriginalModel::clear()
{
    const bool hadRows = !m_rows.isEmpty();
    beginResetModel();
    m_rows.clear();
    endResetModel();
    if (hadRows)
        emit rowCountChanged(0);
}

void OriginalModel::removeRow(int row, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    emit rowCountChanged(m_rows.size());
}

void OriginalModel::delRow(QString id)
{
    const int row = findId(id);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

QString OriginalModel::roleTitle(QString role) const
{
    if (!m_modelBase)
        return QString();
    const auto &fields = m_modelBase->fields();
    const auto it = fields.constFind(role);
    return it == fields.constEnd() ? QString() : it->title;
}

void OriginalModel::setRoleList(QStringList list)
{
    m_roleList = list;
}

qlonglong OriginalModel::getFieldProperties(QString role) const
{
    return m_modelBase ? m_modelBase->getFieldDescr(role).properties : -1;
}

QString OriginalModel::getFieldName(QString role) const
{
    return m_modelBase ? m_modelBase->getFieldDescr(role).title : QString();
}

qlonglong OriginalModel::getSeqNum(QString role) const
{
    return m_modelBase ? m_modelBase->getFieldDescr(role).seqNum : -1;
}

QStringList OriginalModel::getRoleListForQml() const
{
    return m_roleList;
}

void OriginalModel::updateValue(QString id, QString role, QVariant value, bool useRefresh)
{
    const int row = findId(id);
    if (row >= 0)
        updateValue(row, role, value, useRefresh);
}

void OriginalModel::updateValue(int row, QString role, QVariant value, bool useRefresh)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.at(row).value(role) == value)
        return;
    if (!setData(index(row, 0), value, roleOf(role)))
        return;
    if (useRefresh) {
        const QModelIndex changed = index(row, 0);
        emit dataChanged(changed, changed, {});
    }
}

void OriginalModel::refresh()
{
    if (m_rows.isEmpty())
        return;
    emit dataChanged(index(0, 0), index(m_rows.size() - 1, 0), {});
}

qlonglong OriginalModel::getMaxDtUtcLastUpdate() const
{
    return m_maxDtUtcLastUpdate;
}

void OriginalModel::setMaxDtUtcLastUpdate(qlonglong value)
{
    m_maxDtUtcLastUpdate = value;
}

qlonglong OriginalModel::limit() const
{
    return m_modelBase ? m_modelBase->limit() : 0;
}

bool OriginalModel::dataAtLeastLoaded() const
{
    return m_dataAtLeastLoaded;
}

void OriginalModel::setDataAtLeastLoaded(bool value)
{
    if (value == m_dataAtLeastLoaded)
        return;
    m_dataAtLeastLoaded = value;
    emit dataAtLeastLoadedChanged(value);
}

QString OriginalModel::idText(const QVariant &id)
{
    switch (static_cast<QMetaType::Type>(id.type())) {
    case QMetaType::QString:
        return id.toString();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(id.toLongLong());
    case QMetaType::Double: {
        // JSON numbers arrive as doubles; only whole numbers in the exact range name a record.
        const double v = id.toDouble();
        if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) <= 9007199254740992.0)
            return QString::number(static_cast<qint64>(v));
        return QString();
    }
    default:
        return QString();
    }
}

bool OriginalModel::toStamp(const QVariant &value, qint64 *stamp)
{
    if (value.type() == QVariant::Double) {
        // Converting a double outside the 64-bit range is undefined; such a time is not a time.
        const double v = value.toDouble();
        if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
            return false;
        *stamp = static_cast<qint64>(v);
        return true;
    }
    bool ok = false;
    *stamp = value.toLongLong(&ok);
    return ok;
}

OriginalModel::SearchResult OriginalModel::searchId(const QString &id) const
{
    // First row whose id is not above the wanted one; rows run from highest to lowest.
    int lo = 0;
    int hi = m_rows.size();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (compareIds(m_rows.at(mid).value(kId).toString(), id) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    const bool found = lo < m_rows.size() && m_rows.at(lo).value(kId).toString() == id;
    return {lo, found};
}

bool OriginalModel::writeField(int row, const QString &name, const QVariant &value)
{
    QVariantMap &record = m_rows[row];
    // The id decides the order; changing it in place would break the search.
    if (name == kId && idText(value) != record.value(kId).toString())
        return false;
    record.insert(name, name == kId ? QVariant(idText(value)) : value);
    return true;
}

void OriginalModel::applyLimit()
{
    if (!m_modelBase || m_modelBase->limit() < 1 || m_rows.size() <= m_modelBase->limit())
        return;
    int oldest = 0;
    qint64 oldestUpdate = m_rows.at(0).value(kDtUpdate).toLongLong();
    for (int row = 1; row < m_rows.size(); ++row) {
        const qint64 update = m_rows.at(row).value(kDtUpdate).toLongLong();
        if (update < oldestUpdate) {
            oldest = row;
            oldestUpdate = update;
        }
    }
    beginRemoveRows(QModelIndex(), oldest, oldest);
    m_rows.removeAt(oldest);
    endRemoveRows();
    emit rowCountChanged(m_rows.size());
}

} // namespace P2pClientController
