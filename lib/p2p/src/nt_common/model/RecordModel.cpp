#include "nt_common/model/RecordModel.h"

#include <spdlog/spdlog.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

#include <QtAlgorithms>

namespace NtCommon {

namespace {
const QString kDtUpdate = QStringLiteral("dtUpdate");
// Above this many separate insertion runs, or when most rows change, views get one reset.
constexpr int kMaxRuns = 16;
constexpr int kResetMinimum = 64;
constexpr std::size_t kDecideChunk = 64;

void warn(const std::string &text)
{
    if (auto log = spdlog::get("main"))
        log->warn(text);
}

// Equality without a library call: the names of an answer's records are short and mostly equal.
bool sameText(const QString &a, const QString &b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), sizeof(QChar) * std::size_t(a.size())) == 0;
}

// Leaves records[i] = the former records[picked[i]] and drops the rest.
void takeInOrder(std::vector<Record> &records, const std::vector<int> &picked)
{
    // Swaps in place, tracking where each record went, instead of a second list of rows.
    std::vector<int> at(records.size());
    std::iota(at.begin(), at.end(), 0);
    std::vector<int> where = at;
    for (int i = 0; i < int(picked.size()); ++i) {
        const int wanted = picked[i];
        const int from = where[wanted];
        if (from == i)
            continue;
        std::swap(records[i], records[from]);
        const int displaced = at[i];
        at[from] = displaced;
        where[displaced] = from;
        at[i] = wanted;
        where[wanted] = i;
    }
    records.erase(records.begin() + picked.size(), records.end());
}
} // namespace

// What a merge needs to know of a record besides its row.
struct RecordModel::Incoming
{
    // The table's fields the record names, for an update of a stored row (the
    // first 64; a wider table reads the map again).
    quint64 present = 0;
    const QVariantMap *map = nullptr;
    qint64 update = 0;
    bool hasUpdate = false;
    bool usableUpdate = false;
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

QModelIndex RecordModel::index(int row, int column, const QModelIndex &parent) const
{
    flushPending();
    if (row < 0 || row >= int(m_rows.size()) || column != 0 || parent.isValid())
        return QModelIndex();
    return createIndex(row, column);
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

int RecordModel::acquireMemoSlot(Decider decide)
{
    for (int slot = 0; slot < Record::kMemoSlots; ++slot) {
        if (!m_memoTaken[slot]) {
            m_memoTaken[slot] = true;
            m_deciders[slot] = std::move(decide);
            nextMemoGeneration(slot);
            return slot;
        }
    }
    return -1;
}

void RecordModel::releaseMemoSlot(int slot)
{
    if (slot >= 0 && slot < Record::kMemoSlots) {
        m_memoTaken[slot] = false;
        m_deciders[slot] = nullptr;
    }
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
    m_keyFieldIndex = list.indexOf(m_key.field());
    m_updateFieldIndex = list.indexOf(kDtUpdate);
    m_shape.clear();
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

void RecordModel::mergePending() const
{
    // Taken out first: the merge's own signals make views read the rows again.
    const QVector<QVariantMap> records = std::move(m_pending);
    m_pending.clear();
    const_cast<RecordModel *>(this)->mergeRecords(records);
}

bool RecordModel::readIncoming(const QVariantMap &map, Record *record, Incoming *incoming) const
{
    record->fields.resize(m_roleList.size());
    const QVariant *keyValue = nullptr;
    const QVariant *updateValue = nullptr;
    forEachField(map, [&](int position, const QString &name, const QVariant &value) {
        if (position >= 0) {
            record->fields[position] = value;
            if (position < 64)
                incoming->present |= quint64(1) << position;
        } else {
            record->extra.insert(name, value);
        }
        if (position >= 0 ? position == m_keyFieldIndex : name == m_key.field())
            keyValue = &value;
        if (position >= 0 ? position == m_updateFieldIndex : name == kDtUpdate)
            updateValue = &value;
    });
    const bool strict = m_key.kind() == RecordKey::Kind::Text;
    if (!m_key.fromRecord(keyValue ? *keyValue : QVariant(), &record->key)) {
        warn("RecordModel::addRow: record without a usable " + m_key.field().toStdString() + " dropped");
        return false;
    }
    if (strict && keyValue) {
        // Text ids are stored as text, whatever form the record gave.
        const QVariant stored = m_key.stored(*keyValue);
        if (m_keyFieldIndex >= 0)
            record->fields[m_keyFieldIndex] = stored;
        else
            record->extra.insert(m_key.field(), stored);
    }
    const QVariant update = updateValue ? *updateValue : QVariant();
    const QMetaType::Type type = static_cast<QMetaType::Type>(update.type());
    const bool number = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double
                        || type == QMetaType::UInt || type == QMetaType::ULongLong;
    // Absent, or with an empty text: applied whatever the stored time.
    incoming->hasUpdate = update.isValid() && (number || !update.toString().isEmpty());
    incoming->usableUpdate = RecordKey::stamp(update, &incoming->update);
    if (incoming->hasUpdate && !incoming->usableUpdate && strict) {
        warn("RecordModel::addRow: record with an unusable dtUpdate dropped");
        return false;
    }
    incoming->map = &map;
    return true;
}

bool RecordModel::applyIncoming(Record &record, const Record &source, const Incoming &incoming) const
{
    if (incoming.hasUpdate) {
        // A stored time that is no number counts as 0 here, and as older than anything on the P2P tables.
        qint64 stored = 0;
        if (!RecordKey::stamp(valueOf(record, kDtUpdate), &stored))
            stored = m_key.kind() == RecordKey::Kind::Text ? std::numeric_limits<qint64>::min() : 0;
        if ((incoming.usableUpdate ? incoming.update : 0) < stored)
            return false;
    }
    if (source.fields.size() <= 64) {
        for (quint64 bits = incoming.present; bits != 0; bits &= bits - 1) {
            const int field = int(qCountTrailingZeroBits(bits));
            record.fields[field] = source.fields.at(field);
        }
    } else {
        forEachField(*incoming.map, [&](int position, const QString &, const QVariant &) {
            if (position >= 0)
                record.fields[position] = source.fields.at(position);
        });
    }
    return true;
}

std::vector<int> RecordModel::keyOrder(const std::vector<Record> &records) const
{
    // Highest key first, and in arrival order within one key, like the rows.
    std::vector<int> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    if (m_key.kind() == RecordKey::Kind::Integer) {
        // Whole-number keys sort from a compact copy rather than across the records.
        std::vector<qint64> numbers(records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            numbers[i] = records[i].key.number;
        const auto above = [&](int a, int b) { return numbers[a] != numbers[b] ? numbers[a] > numbers[b] : a < b; };
        if (!std::is_sorted(order.begin(), order.end(), above))
            std::sort(order.begin(), order.end(), above);
        return order;
    }
    const auto above = [&](int a, int b) {
        const int c = m_key.compare(records[a].key, records[b].key);
        return c != 0 ? c > 0 : a < b;
    };
    if (!std::is_sorted(order.begin(), order.end(), above))
        std::sort(order.begin(), order.end(), above);
    return order;
}

void RecordModel::decideRead(const std::vector<Record> &records, std::size_t from) const
{
    if (from >= records.size())
        return;
    for (const Decider &decide : m_deciders) {
        if (decide)
            decide(records, from);
    }
}

int RecordModel::mergeBatch(const QVector<QVariantMap> &records)
{
    // The records become rows of their own; only the meta data lives beside them.
    std::vector<Record> fresh;
    std::vector<Incoming> meta;
    fresh.reserve(records.size());
    meta.reserve(records.size());
    const bool intoEmpty = m_rows.empty();
    std::size_t decided = 0;
    for (int i = 0; i < records.size(); ++i) {
        // The maps of a long answer lie far apart: the next ones are fetched meanwhile.
        if (i + 8 < records.size())
            prefetchBlock(records.at(i + 8));
        if (i + 4 < records.size() && !records.at(i + 4).isEmpty())
            prefetchAddress(&records.at(i + 4).constBegin().key());
        const QVariantMap &map = records.at(i);
        Record record;
        Incoming in;
        if (!readIncoming(map, &record, &in))
            continue;
        // Every taken record counts for the newest update time, applied or not.
        if (in.usableUpdate && in.update > m_maxDtUtcLastUpdate)
            m_maxDtUtcLastUpdate = in.update;
        fresh.push_back(std::move(record));
        meta.push_back(in);
        // Into an empty model every record becomes a row: the proxies decide
        // about the last ones read while their values are still in the cache.
        if (intoEmpty && fresh.size() - decided >= kDecideChunk) {
            decideRead(fresh, decided);
            decided = fresh.size();
        }
    }
    if (intoEmpty)
        decideRead(fresh, decided);
    const std::vector<int> order = keyOrder(fresh);

    // One walk down the rows and the incoming keys together.
    std::vector<int> updated;
    std::vector<RecordKey::Value> updatedKeys;
    std::vector<int> added;
    std::vector<int> positions;
    int row = 0;
    const int rows = int(m_rows.size());
    for (std::size_t i = 0; i < order.size();) {
        const RecordKey::Value &key = fresh[order[i]].key;
        std::size_t end = i + 1;
        while (end < order.size() && m_key.compare(fresh[order[end]].key, key) == 0)
            ++end;
        while (row < rows && m_key.compare(m_rows[row].key, key) > 0)
            ++row;
        if (row < rows && m_key.compare(m_rows[row].key, key) == 0) {
            Record record = m_rows[row];
            bool changed = false;
            for (std::size_t k = i; k < end; ++k)
                changed = applyIncoming(record, fresh[order[k]], meta[order[k]]) || changed;
            if (changed) {
                record.forget();
                updatedKeys.push_back(record.key);
                m_rows[row] = std::move(record);
                updated.push_back(row);
            }
        } else {
            // The first record of a new key is the row; later ones update it.
            Record &record = fresh[order[i]];
            for (std::size_t k = i + 1; k < end; ++k) {
                applyIncoming(record, fresh[order[k]], meta[order[k]]);
                record.forget();
            }
            added.push_back(order[i]);
            positions.push_back(row);
        }
        i = end;
    }
    if (updated.empty() && added.empty())
        return 0;
    int runs = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i == 0 || positions[i] != positions[i - 1])
            ++runs;
    }
    const int changes = int(updated.size() + added.size());
    const int finalCount = int(m_rows.size() + added.size());
    const bool reset = runs > kMaxRuns || (changes >= kResetMinimum && 2 * changes > finalCount);

    m_merging = true;
    ++m_revision;
    if (reset) {
        beginResetModel();
        if (m_rows.empty()) {
            takeInOrder(fresh, added);
            m_rows.swap(fresh);
        } else {
            // The rows move back to their final places from the end, the new ones in between.
            int write = finalCount;
            int old = int(m_rows.size());
            m_rows.resize(finalCount);
            for (int n = int(added.size()) - 1; n >= 0; --n) {
                while (old > positions[n])
                    m_rows[--write] = std::move(m_rows[--old]);
                m_rows[--write] = std::move(fresh[added[n]]);
            }
        }
        ++m_revision;
        endResetModel();
    } else {
        for (std::size_t i = 0; i < updated.size();) {
            std::size_t j = i;
            while (j + 1 < updated.size() && updated[j + 1] == updated[j] + 1)
                ++j;
            emit dataChanged(index(updated[i], 0), index(updated[j], 0), {});
            i = j + 1;
        }
        int shift = 0;
        for (std::size_t i = 0; i < added.size();) {
            std::size_t j = i;
            std::vector<Record> run;
            for (; j < added.size() && positions[j] == positions[i]; ++j)
                run.push_back(std::move(fresh[added[j]]));
            const int at = positions[i] + shift;
            const int count = int(run.size());
            beginInsertRows(QModelIndex(), at, at + count - 1);
            m_rows.insert(m_rows.begin() + at, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
            ++m_revision;
            endInsertRows();
            shift += count;
            i = j;
        }
    }
    m_merging = false;
    emit mergeFinished();

    if (!added.empty())
        emit rowCountChanged(int(m_rows.size()));
    for (const RecordKey::Value &key : updatedKeys)
        emit dataListChanged(rowOfKey(key));
    return int(added.size());
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
    forEachField(map, [&](int position, const QString &name, const QVariant &value) {
        if (position >= 0)
            record.fields[position] = value;
        else
            record.extra.insert(name, value);
    });
    return record;
}

template <class Visit>
void RecordModel::forEachField(const QVariantMap &map, Visit visit) const
{
    // The records of one answer name the same fields: each name is checked
    // against the last record's before it is looked up.
    bool same = map.size() == int(m_shape.size());
    std::size_t i = 0;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it, ++i) {
        int position;
        if (same && sameText(it.key(), m_shape[i].name)) {
            position = m_shape[i].position;
        } else {
            same = false;
            position = fieldIndex(it.key());
        }
        visit(position, it.key(), it.value());
    }
    if (same)
        return;
    m_shape.clear();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        m_shape.push_back({it.key(), fieldIndex(it.key())});
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
