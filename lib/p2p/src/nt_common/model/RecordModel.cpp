#include "nt_common/model/RecordModel.h"

#include <spdlog/spdlog.h>

#include <algorithm>
#include <limits>

namespace NtCommon {

namespace {
const QString kDtUpdate = QStringLiteral("dtUpdate");
// Above this many separate insertion runs, or when most rows change, views get one reset.
constexpr int kMaxRuns = 16;
constexpr int kResetMinimum = 64;

void warn(const std::string &text)
{
    if (auto log = spdlog::get("main"))
        log->warn(text);
}
} // namespace

struct RecordModel::Staged
{
    int row; // existing row, or -1 for a new one
    Record record;
    bool changed;
};

RecordModel::RecordModel(const RecordKey &key, QObject *parent)
    : QAbstractListModel(parent)
    , m_key(key)
{
}

int RecordModel::rowCount(const QModelIndex &parent) const
{
    flushPending();
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant RecordModel::data(const QModelIndex &index, int role) const
{
    flushPending();
    if (!index.isValid() || index.row() < 0 || index.row() >= int(m_rows.size()))
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
    return m_rows[index.row()].fields.value(field);
}

bool RecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    flushPending();
    if (!hasDescription() || role < kFirstRole || role - kFirstRole >= m_roleList.size())
        return false;
    if (!index.isValid() || index.row() < 0 || index.row() >= int(m_rows.size()))
        return false;
    return writeField(m_rows[index.row()], role - kFirstRole, value);
}

QHash<int, QByteArray> RecordModel::roleNames() const
{
    QHash<int, QByteArray> names;
    if (!hasDescription())
        return names;
    for (int i = 0; i < m_roleList.size(); ++i)
        names.insert(kFirstRole + i, m_roleList.at(i).toLatin1());
    return names;
}

bool RecordModel::hasDescription() const
{
    return m_catalog != nullptr;
}

int RecordModel::fieldType(const QString &name) const
{
    return m_catalog ? m_catalog->type(name) : 0;
}

qlonglong RecordModel::limit() const
{
    return m_catalog ? m_catalog->limit() : 0;
}

QString RecordModel::roleTitle(QString role) const
{
    return m_catalog ? m_catalog->titleOrEmpty(role) : QString();
}

qlonglong RecordModel::getFieldProperties(QString role) const
{
    return m_catalog ? m_catalog->properties(role) : -1;
}

QString RecordModel::getFieldName(QString role) const
{
    return m_catalog ? m_catalog->title(role) : QString();
}

qlonglong RecordModel::getSeqNum(QString role) const
{
    return m_catalog ? m_catalog->seqNum(role) : -1;
}

void RecordModel::setCatalog(std::unique_ptr<FieldCatalog> catalog)
{
    m_catalog = std::move(catalog);
    setRoleList(m_catalog->names());
}

const RecordKey &RecordModel::recordKey() const
{
    return m_key;
}

int RecordModel::roleOf(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0) {
        m_lastMissingRole = name;
        return kMissingRole;
    }
    return kFirstRole + i;
}

int RecordModel::fieldIndex(const QString &name) const
{
    return m_fieldIndex.value(name, -1);
}

QVariant RecordModel::fieldValue(int row, const QString &name) const
{
    flushPending();
    if (row < 0 || row >= int(m_rows.size()))
        return QVariant();
    return valueOf(m_rows[row], name);
}

const Record &RecordModel::recordAt(int row) const
{
    flushPending();
    return m_rows[row];
}

quint64 RecordModel::revision() const
{
    flushPending();
    return m_revision;
}

bool RecordModel::isMerging() const
{
    return m_merging;
}

void RecordModel::mergeRecords(const QVector<QVariantMap> &records)
{
    flushPending();
    if (records.isEmpty())
        return;
    if (limit() < 1 || !hasDescription()) {
        mergeBatch(records);
        return;
    }
    // The limit rule runs after every single insertion.
    for (const QVariantMap &record : records) {
        if (mergeBatch({record}) > 0)
            applyLimit();
    }
}

void RecordModel::beginBatch()
{
    ++m_batchDepth;
}

void RecordModel::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        flushPending();
}

int RecordModel::acquireMemoSlot()
{
    for (int slot = 0; slot < Record::kMemoSlots; ++slot) {
        if (!m_memoTaken[slot]) {
            m_memoTaken[slot] = true;
            nextMemoGeneration(slot);
            return slot;
        }
    }
    return -1;
}

void RecordModel::releaseMemoSlot(int slot)
{
    if (slot >= 0 && slot < Record::kMemoSlots)
        m_memoTaken[slot] = false;
}

quint32 RecordModel::nextMemoGeneration(int slot)
{
    quint32 &generation = m_memoGeneration[slot];
    generation = (generation + 1) & 0x7fffffff;
    if (generation == 0) {
        // After a wrap, old decisions could look current again.
        for (const Record &record : m_rows)
            record.memo[slot] = 0;
        generation = 1;
    }
    return generation;
}

quint32 RecordModel::memoGeneration(int slot) const
{
    return m_memoGeneration[slot];
}

int RecordModel::checkValueByRole(QString role, QVariant value) const
{
    flushPending();
    if (role == m_key.field()) {
        RecordKey::Value key;
        const bool usable = m_key.kind() == RecordKey::Kind::Integer ? RecordKey::wholeNumber(value, &key.number)
                                                                       : m_key.fromText(RecordKey::idText(value), &key);
        return usable ? rowOfKey(key) : -1;
    }
    for (int row = 0; row < int(m_rows.size()); ++row) {
        if (valueOf(m_rows[row], role) == value)
            return row;
    }
    return -1;
}

int RecordModel::checkValueByRole(QStringList roles, QVariantList values) const
{
    flushPending();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        bool all = true;
        for (int i = 0; i < roles.size() && all; ++i)
            all = i < values.size() && valueOf(m_rows[row], roles.at(i)) == values.at(i);
        if (all)
            return row;
    }
    return -1;
}

QVariantMap RecordModel::originalData(int row) const
{
    flushPending();
    if (row < 0 || row >= int(m_rows.size()))
        return QVariantMap();
    return toMap(m_rows[row]);
}

QVariant RecordModel::originalData(int row, QString role) const
{
    return data(index(row, 0), roleOf(role));
}

QVariant RecordModel::originalData(QString parameterRole, QString parameter, QString valueRole) const
{
    flushPending();
    for (const Record &record : m_rows) {
        if (valueOf(record, parameterRole).toString() == parameter)
            return valueOf(record, valueRole);
    }
    return QVariant();
}

void RecordModel::addRow(QVariantMap mapParams)
{
    if (m_batchDepth > 0)
        m_pending.append(mapParams);
    else
        mergeRecords({mapParams});
}

void RecordModel::clear()
{
    flushPending();
    const bool hadRows = !m_rows.empty();
    beginResetModel();
    m_rows.clear();
    ++m_revision;
    endResetModel();
    if (hadRows)
        emit rowCountChanged(0);
}

void RecordModel::removeRow(int row, const QModelIndex &parent)
{
    flushPending();
    if (parent.isValid() || row < 0 || row >= int(m_rows.size()))
        return;
    removeAt(row);
    emit rowCountChanged(int(m_rows.size()));
}

void RecordModel::delRow(QString id)
{
    const int row = rowOfKeyText(id);
    if (row >= 0)
        removeAt(row);
}

void RecordModel::setRoleList(QStringList list)
{
    flushPending();
    std::vector<QVariantMap> maps;
    maps.reserve(m_rows.size());
    for (const Record &record : m_rows)
        maps.push_back(toMap(record));
    m_roleList = list;
    m_fieldIndex.clear();
    for (int i = 0; i < list.size(); ++i)
        m_fieldIndex.insert(list.at(i), i);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        m_rows[row] = makeRecord(m_rows[row].key, maps[row]);
    ++m_revision;
}

QStringList RecordModel::getRoleListForQml() const
{
    return m_roleList;
}

void RecordModel::updateValue(QString id, QString role, QVariant value, bool useRefresh)
{
    const int row = rowOfKeyText(id);
    if (row >= 0)
        updateValue(row, role, value, useRefresh);
}

void RecordModel::updateValue(int row, QString role, QVariant value, bool useRefresh)
{
    flushPending();
    if (row < 0 || row >= int(m_rows.size()))
        return;
    if (valueOf(m_rows[row], role) == value)
        return;
    if (!setData(index(row, 0), value, roleOf(role)))
        return;
    if (useRefresh) {
        const QModelIndex changed = index(row, 0);
        emit dataChanged(changed, changed, {});
    }
}

void RecordModel::refresh()
{
    flushPending();
    if (m_rows.empty())
        return;
    emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, 0), {});
}

qlonglong RecordModel::getMaxDtUtcLastUpdate() const
{
    flushPending();
    return m_maxDtUtcLastUpdate;
}

void RecordModel::setMaxDtUtcLastUpdate(qlonglong value)
{
    flushPending();
    m_maxDtUtcLastUpdate = value;
}

bool RecordModel::dataAtLeastLoaded() const
{
    return m_dataAtLeastLoaded;
}

void RecordModel::setDataAtLeastLoaded(bool value)
{
    if (value == m_dataAtLeastLoaded)
        return;
    m_dataAtLeastLoaded = value;
    emit dataAtLeastLoadedChanged(value);
}

int RecordModel::rowOfKeyText(const QString &text) const
{
    RecordKey::Value key;
    return m_key.fromText(text, &key) ? rowOfKey(key) : -1;
}

int RecordModel::rowOfKey(const RecordKey::Value &key) const
{
    flushPending();
    const Position p = search(key);
    return p.found ? p.row : -1;
}

RecordModel::Position RecordModel::search(const RecordKey::Value &key) const
{
    // First row whose key is not above the wanted one; rows run from highest to lowest.
    int lo = 0;
    int hi = int(m_rows.size());
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (m_key.compare(m_rows[mid].key, key) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return {lo, lo < int(m_rows.size()) && m_key.compare(m_rows[lo].key, key) == 0};
}

void RecordModel::flushPending() const
{
    if (m_pending.isEmpty())
        return;
    // Taken out first: the merge's own signals make views read the rows again.
    const QVector<QVariantMap> records = std::move(m_pending);
    m_pending.clear();
    const_cast<RecordModel *>(this)->mergeRecords(records);
}

bool RecordModel::stageRecord(const QVariantMap &map, std::vector<Staged> &staged, QHash<QString, int> &textIndex,
                              QHash<qint64, int> &numberIndex)
{
    const bool strict = m_key.kind() == RecordKey::Kind::Text;
    RecordKey::Value key;
    if (!m_key.fromRecord(map.value(m_key.field()), &key)) {
        warn("RecordModel::addRow: record without a usable " + m_key.field().toStdString() + " dropped");
        return false;
    }
    const QVariant newUpdate = map.value(kDtUpdate);
    const bool hasUpdate = newUpdate.isValid() && !newUpdate.toString().isEmpty();
    qint64 update = 0;
    if (hasUpdate && !RecordKey::stamp(newUpdate, &update)) {
        if (strict) {
            warn("RecordModel::addRow: record with an unusable dtUpdate dropped");
            return false;
        }
        update = 0;
    }

    int *slot = strict ? &textIndex[key.text] : &numberIndex[key.number];
    if (*slot == 0) {
        const Position p = search(key);
        if (p.found) {
            staged.push_back({p.row, m_rows[p.row], false});
        } else {
            staged.push_back({-1, makeRecord(key, map), true});
            *slot = int(staged.size());
            return true;
        }
        *slot = int(staged.size());
    }
    Staged &entry = staged[*slot - 1];
    bool apply = !hasUpdate;
    if (!apply) {
        // A stored time that is no number counts as 0 here, and as older than anything on the P2P tables.
        qint64 stored = 0;
        if (!RecordKey::stamp(valueOf(entry.record, kDtUpdate), &stored))
            stored = strict ? std::numeric_limits<qint64>::min() : 0;
        apply = update >= stored;
    }
    if (apply) {
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            const int field = fieldIndex(it.key());
            if (field >= 0)
                entry.record.fields[field] = it.key() == m_key.field() ? m_key.stored(it.value()) : it.value();
        }
        entry.changed = true;
    }
    return true;
}

int RecordModel::mergeBatch(const QVector<QVariantMap> &records)
{
    std::vector<Staged> staged;
    staged.reserve(records.size());
    QHash<QString, int> textIndex;
    QHash<qint64, int> numberIndex;
    for (const QVariantMap &map : records) {
        if (!stageRecord(map, staged, textIndex, numberIndex))
            continue;
        // Every taken record counts for the newest update time, applied or not.
        qint64 update = 0;
        if (RecordKey::stamp(map.value(kDtUpdate), &update) && update > m_maxDtUtcLastUpdate)
            m_maxDtUtcLastUpdate = update;
    }

    std::vector<int> updated;
    std::vector<RecordKey::Value> updatedKeys;
    std::vector<Record> inserted;
    for (Staged &entry : staged) {
        if (entry.row >= 0 && entry.changed) {
            entry.record.forget();
            updatedKeys.push_back(entry.record.key);
            m_rows[entry.row] = std::move(entry.record);
            updated.push_back(entry.row);
        } else if (entry.row < 0) {
            inserted.push_back(std::move(entry.record));
        }
    }
    if (updated.empty() && inserted.empty())
        return 0;
    std::sort(updated.begin(), updated.end());
    std::sort(inserted.begin(), inserted.end(), [this](const Record &a, const Record &b) { return m_key.compare(a.key, b.key) > 0; });

    // Where each new row goes among the old ones; equal positions form one run.
    std::vector<int> positions;
    positions.reserve(inserted.size());
    int runs = 0;
    for (const Record &record : inserted) {
        positions.push_back(search(record.key).row);
        if (positions.size() == 1 || positions.back() != positions[positions.size() - 2])
            ++runs;
    }
    const int changes = int(updated.size() + inserted.size());
    const int finalCount = int(m_rows.size() + inserted.size());
    const bool reset = runs > kMaxRuns || (changes >= kResetMinimum && 2 * changes > finalCount);

    m_merging = true;
    if (reset)
        beginResetModel();
    ++m_revision;
    if (!reset) {
        for (std::size_t i = 0; i < updated.size();) {
            std::size_t j = i;
            while (j + 1 < updated.size() && updated[j + 1] == updated[j] + 1)
                ++j;
            emit dataChanged(index(updated[i], 0), index(updated[j], 0), {});
            i = j + 1;
        }
    }
    int shift = 0;
    for (std::size_t i = 0; i < inserted.size();) {
        std::size_t j = i;
        while (j + 1 < inserted.size() && positions[j + 1] == positions[i])
            ++j;
        const int at = positions[i] + shift;
        const int count = int(j - i + 1);
        if (!reset)
            beginInsertRows(QModelIndex(), at, at + count - 1);
        m_rows.insert(m_rows.begin() + at, std::make_move_iterator(inserted.begin() + i),
                      std::make_move_iterator(inserted.begin() + j + 1));
        ++m_revision;
        if (!reset)
            endInsertRows();
        shift += count;
        i = j + 1;
    }
    if (reset)
        endResetModel();
    m_merging = false;
    emit mergeFinished();

    if (!inserted.empty())
        emit rowCountChanged(int(m_rows.size()));
    for (const RecordKey::Value &key : updatedKeys)
        emit dataListChanged(rowOfKey(key));
    return int(inserted.size());
}

void RecordModel::applyLimit()
{
    const qlonglong cap = limit();
    if (cap < 1 || qlonglong(m_rows.size()) <= cap)
        return;
    int oldest = 0;
    qint64 oldestUpdate = std::numeric_limits<qint64>::max();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        qint64 update = 0;
        RecordKey::stamp(valueOf(m_rows[row], kDtUpdate), &update);
        if (update < oldestUpdate) {
            oldest = row;
            oldestUpdate = update;
        }
    }
    removeAt(oldest);
    emit rowCountChanged(int(m_rows.size()));
}

Record RecordModel::makeRecord(const RecordKey::Value &key, const QVariantMap &map) const
{
    Record record;
    record.key = key;
    record.fields.resize(m_roleList.size());
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const QVariant value = it.key() == m_key.field() ? m_key.stored(it.value()) : it.value();
        const int field = fieldIndex(it.key());
        if (field >= 0)
            record.fields[field] = value;
        else
            record.extra.insert(it.key(), value);
    }
    return record;
}

QVariantMap RecordModel::toMap(const Record &record) const
{
    QVariantMap map = record.extra;
    for (int i = 0; i < record.fields.size(); ++i) {
        if (record.fields.at(i).isValid())
            map.insert(m_roleList.at(i), record.fields.at(i));
    }
    return map;
}

QVariant RecordModel::valueOf(const Record &record, const QString &name) const
{
    const int field = fieldIndex(name);
    return field >= 0 ? record.fields.value(field) : record.extra.value(name);
}

bool RecordModel::writeField(Record &record, int field, const QVariant &value)
{
    const bool isKey = m_roleList.at(field) == m_key.field();
    if (isKey) {
        RecordKey::Value key;
        if (!m_key.fromRecord(value, &key))
            return false;
        record.key = key;
    }
    record.fields[field] = isKey ? m_key.stored(value) : value;
    record.forget();
    ++m_revision;
    return true;
}

void RecordModel::removeAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    ++m_revision;
    endRemoveRows();
}

} // namespace NtCommon
