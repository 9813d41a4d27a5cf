#include "controllers/base/OriginalModel.h"

#include <spdlog/spdlog.h>

namespace LynClientController {

namespace {
const QString kRowId = QStringLiteral("rowID");
const QString kDtUpdate = QStringLiteral("dtUpdate");
} // namespace

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

void OriginalModel::setModelBase(const QSharedPointer<LYNCommon::ModelBase> &description)
{
    if (!description)
        return;
    m_modelBase = description;
    m_roleList = description->fields().keys();
}

QSharedPointer<LYNCommon::ModelBase> OriginalModel::modelBase() const
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
    if (role == kRowId) {
        bool ok = false;
        const qint64 id = value.toLongLong(&ok);
        if (!ok)
            return -1;
        const SearchResult r = searchId(id);
        return r.found ? r.row : -1;
    }
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

int OriginalModel::findId(qlonglong id) const
{
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
    for (int row = 0; row < m_rows.size(); ++row) {
        const QVariantMap &record = m_rows.at(row);
        if (record.value(parameterRole).toString() == parameter)
            return record.value(valueRole);
    }
    return QVariant();
}

void OriginalModel::addRow(QVariantMap mapParams)
{
    // The list is ordered by rowID: a record without a usable one could not be found again.
    bool idOk = false;
    const qint64 id = mapParams.value(kRowId).toLongLong(&idOk);
    if (!idOk) {
        if (auto log = spdlog::get("main"))
            log->warn("OriginalModel::addRow: record without integer rowID dropped, rowID: '{}'",
                      mapParams.value(kRowId).toString().toStdString());
        return;
    }
    const SearchResult r = searchId(id);
    const QVariant newUpdate = mapParams.value(kDtUpdate);
    if (r.found) {
        bool apply = !newUpdate.isValid() || newUpdate.toString().isEmpty();
        if (!apply)
            apply = newUpdate.toLongLong() >= m_rows.at(r.row).value(kDtUpdate).toLongLong();
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
    const qint64 update = newUpdate.toLongLong();
    if (update > m_maxDtUtcLastUpdate)
        m_maxDtUtcLastUpdate = update;
}

void OriginalModel::clear()
{
    const bool hadRows = m_rows.size() > 0;
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
    bool ok = false;
    const qint64 value = id.toLongLong(&ok);
    if (!ok)
        return;
    const SearchResult r = searchId(value);
    if (!r.found)
        return;
    beginRemoveRows(QModelIndex(), r.row, r.row);
    m_rows.removeAt(r.row);
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
    bool ok = false;
    const qint64 key = id.toLongLong(&ok);
    if (!ok)
        return;
    const SearchResult r = searchId(key);
    if (r.found)
        updateValue(r.row, role, value, useRefresh);
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
    if (m_rows.size() == 0)
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

OriginalModel::SearchResult OriginalModel::searchId(qint64 id) const
{
    int lo = 0;
    int hi = m_rows.size() - 1;
    while (hi > lo) {
        const int mid = lo + (hi - lo) / 2;
        if (id < rowIdAt(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    bool ok = false;
    const qint64 value = rowIdAt(hi, &ok);
    if (ok && value == id)
        return {hi, true};
    const int position = id >= value ? hi : hi + 1;
    return {qMax(position, 0), false};
}

qint64 OriginalModel::rowIdAt(int row, bool *ok) const
{
    if (row < 0 || row >= m_rows.size()) {
        if (ok)
            *ok = false;
        return 0;
    }
    return m_rows.at(row).value(kRowId).toLongLong(ok);
}

bool OriginalModel::writeField(int row, const QString &name, const QVariant &value)
{
    QVariantMap &record = m_rows.ref(row);
    // rowID decides the order; a value that is not a whole number would break the search.
    if (name == kRowId) {
        bool ok = false;
        if (value.toLongLong(&ok) != record.value(kRowId).toLongLong() || !ok)
            return false;
    }
    record.insert(name, value);
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

} // namespace LynClientController
