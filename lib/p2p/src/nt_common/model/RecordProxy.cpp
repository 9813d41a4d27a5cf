#include "nt_common/model/RecordProxy.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/model/RecordModel.h"

#include <QHash>
#include <QMutexLocker>

#include <spdlog/spdlog.h>

#include <algorithm>
#include <numeric>

namespace NtCommon {

namespace {
const QString kAnd = QStringLiteral("and");
const QString kOr = QStringLiteral("or");
const QString kDefaultGroup = QStringLiteral("default");
const QVariant kNoValue;

bool isIntegerType(int type)
{
    return type == 1 || type == 2;
}

// One row's value of the sort field, prepared once per sort: a whole
// number, a real, or a text's id and (in `integer`) its place in text order.
struct SortValue
{
    qint64 integer = 0;
    double real = 0;
    int text = 0;
};
} // namespace

RecordProxy::RecordProxy(const QString &sourcePath, const QString &filterFunction, const QString &keyField, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_filterTag(LocationTag::make(sourcePath, filterFunction))
    , m_keyField(keyField)
    , m_sortedRole(keyField)
{
    setDynamicSortFilter(false);
    m_groupFilterExp.insert(0, FilterGroup{kDefaultGroup, kAnd});
    connect(this, &QSortFilterProxyModel::sourceModelChanged, this, &RecordProxy::onSourceModelChanged);
}

RecordProxy::~RecordProxy()
{
    if (m_originalModel)
        m_originalModel->releaseMemoSlot(m_memoSlot);
}

template <class T>
qint64 RecordProxy::nextKey(const QMap<qint64, T> &map)
{
    return map.isEmpty() ? 0 : map.lastKey() + 1;
}

void RecordProxy::setRecordModel(RecordModel *model)
{
    if (m_originalModel)
        m_originalModel->releaseMemoSlot(m_memoSlot);
    m_memoSlot = -1;
    m_originalModel = model;
    if (model) {
        // Records are decided as the model reads them, while their values are at hand.
        m_memoSlot = model->acquireMemoSlot([this](const std::vector<Record> &records, std::size_t from) { decideRead(records, from); });
        m_memoGeneration = m_memoSlot >= 0 ? model->memoGeneration(m_memoSlot) : 0;
    }
    m_ranksValid = false;
    setSourceModel(model);
    m_filterFields = model ? model->getRoleListForQml() : QStringList();
    applyFilters();
    sortRows(m_keyField, Qt::DescendingOrder);
}

RecordModel *RecordProxy::recordModel() const
{
    return m_originalModel;
}

void RecordProxy::setFilterPattern(QString filterPattern)
{
    if (filterPattern == m_search.pattern())
        return;
    SearchPattern search(filterPattern, m_extendedSearch);
    if (!search.isValid()) {
        if (auto log = spdlog::get("main"))
            log->warn("ProxyModel::setFilterPattern(): invalid pattern '{}': {}", search.pattern().toStdString(),
                      search.errorString().toStdString());
    }
    // Kept here rather than in the framework, whose own re-filter removes hidden rows one interval at a time.
    m_search = search;
    refilter();
    m_filterRowCount = rowCount();
    emit filterFinished();
}

void RecordProxy::setFilterFields(QStringList filterRoleList)
{
    m_filterFields = filterRoleList;
    applyFilters();
}

void RecordProxy::appendHardFilterRole(QString role, QString operation, QVariant value, QString condition,
                                       QString group_filter_name)
{
    m_hardFilters.insert(nextKey(m_hardFilters), HardFilter{role, condition, value, operation, group_filter_name});
    applyFilters();
}

void RecordProxy::removeHardFilterRole(QString role, QString value)
{
    for (auto it = m_hardFilters.begin(); it != m_hardFilters.end();) {
        if (it->role == role && it->value == QVariant(value))
            it = m_hardFilters.erase(it);
        else
            ++it;
    }
    applyFilters();
}

void RecordProxy::removeHardFilterRole(QString role)
{
    for (auto it = m_hardFilters.begin(); it != m_hardFilters.end();) {
        if (it->role == role)
            it = m_hardFilters.erase(it);
        else
            ++it;
    }
    applyFilters();
}

void RecordProxy::setHardFilterRole(QString role, QString operation, QVariant value, QString condition)
{
    m_hardFilters.clear();
    appendHardFilterRole(role, operation, value, condition, kDefaultGroup);
}

void RecordProxy::clearHardFilter()
{
    m_hardFilters.clear();
    applyFilters();
}

void RecordProxy::appendHardFilterGroup(QString group, QString condition)
{
    m_groupFilterExp.insert(nextKey(m_groupFilterExp), FilterGroup{group, condition});
    forgetDecisions();
}

void RecordProxy::removeHardFilterGroup(QString group)
{
    for (auto it = m_groupFilterExp.begin(); it != m_groupFilterExp.end();) {
        if (it->name == group)
            it = m_groupFilterExp.erase(it);
        else
            ++it;
    }
    forgetDecisions();
}

void RecordProxy::clearHardFilterGroup()
{
    m_groupFilterExp.clear();
    forgetDecisions();
}

void RecordProxy::beginPrepare()
{
    m_isPrepareMode = true;
    emit isPrepareModeChanged(true);
}

void RecordProxy::endPrepare()
{
    refilter();
    m_isPrepareMode = false;
    emit isPrepareModeChanged(false);
}

void RecordProxy::invalidateFilter()
{
    refilter();
}

void RecordProxy::sortRows(QString role, Qt::SortOrder order)
{
    if (role != m_sortedRole) {
        m_sortedRole = role;
        emit sortedRoleChanged(role);
    }
    emit sortStarted();
    if (m_originalModel)
        setSortRole(m_originalModel->roleOf(role));
    m_sortOrder = order;
    // The record model keeps its rows in descending key order: sorting by the
    // key is the source order itself (framework column -1), or its reverse.
    const bool byKey = role == m_keyField;
    const int column = byKey ? -1 : 0;
    const Qt::SortOrder frameworkOrder = byKey ? (order == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder) : order;
    // An answer that left the order intact needs no new layout.
    if (sortColumn() != column || QSortFilterProxyModel::sortOrder() != frameworkOrder || !inOrder())
        sort(column, frameworkOrder);
    emit sortFinished();
}

void RecordProxy::sortRows()
{
    sortRows(m_sortedRole, m_sortOrder);
}

Qt::SortOrder RecordProxy::sortOrder() const
{
    return m_sortOrder;
}

void RecordProxy::getSortedRole()
{
}

int RecordProxy::checkValueByRole(QString role, QVariant value) const
{
    if (!m_originalModel)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_originalModel->fieldValue(mapToSource(index(row, 0)).row(), role) == value)
            return row;
    }
    return -1;
}

int RecordProxy::checkValueByRole(QStringList roles, QVariantList values) const
{
    if (!m_originalModel)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        const int sourceRow = mapToSource(index(row, 0)).row();
        bool all = true;
        for (int i = 0; i < roles.size() && all; ++i)
            all = i < values.size() && m_originalModel->fieldValue(sourceRow, roles.at(i)) == values.at(i);
        if (all)
            return row;
    }
    return -1;
}

QVariant RecordProxy::proxyData(int row, QString role) const
{
    if (!m_originalModel || row < 0 || row >= rowCount())
        return QVariant();
    return m_originalModel->fieldValue(mapToSource(index(row, 0)).row(), role);
}

QVariant RecordProxy::proxyData(QString parameterRole, QString parameter, QString valueRole) const
{
    if (!m_originalModel)
        return QVariant();
    for (int row = 0; row < rowCount(); ++row) {
        const int sourceRow = mapToSource(index(row, 0)).row();
        if (m_originalModel->fieldValue(sourceRow, parameterRole).toString() == parameter)
            return m_originalModel->fieldValue(sourceRow, valueRole);
    }
    return QVariant();
}

int RecordProxy::rowCount(const QModelIndex &parent) const
{
    return QSortFilterProxyModel::rowCount(parent);
}

int RecordProxy::getFilterRowCount() const
{
    return m_filterRowCount;
}

void RecordProxy::sort(int column, Qt::SortOrder order)
{
    QMutexLocker locker(&m_sortLock);
    QSortFilterProxyModel::sort(column, order);
}

bool RecordProxy::extendedSearch() const
{
    return m_extendedSearch;
}

void RecordProxy::setExtendedSearch(bool value)
{
    if (value == m_extendedSearch)
        return;
    m_extendedSearch = value;
    emit extendedSearchChanged();
    if (!m_isPrepareMode)
        refilter();
}

bool RecordProxy::showAllByZeroSearch() const
{
    return false;
}

QString RecordProxy::sortedRole() const
{
    return m_sortedRole;
}

bool RecordProxy::isPrepareMode() const
{
    return m_isPrepareMode;
}

void RecordProxy::setIsPrepareMode(bool value)
{
    m_isPrepareMode = value;
    emit isPrepareModeChanged(value);
}

void RecordProxy::onSourceModelChanged()
{
    disconnect(m_sourceDataChanged);
    disconnect(m_sourceMergeFinished);
    if (!sourceModel())
        return;
    m_sourceDataChanged = connect(sourceModel(), &QAbstractItemModel::dataChanged, this,
                                  QOverload<const QModelIndex &, const QModelIndex &, const QVector<int> &>::of(&RecordProxy::onDataChanged));
    if (auto *model = qobject_cast<RecordModel *>(sourceModel())) {
        m_sourceMergeFinished = connect(model, &RecordModel::mergeFinished, this, [this] {
            if (m_refilterAfterMerge && !m_isPrepareMode)
                QSortFilterProxyModel::invalidateFilter();
            m_refilterAfterMerge = false;
        });
    }
}

void RecordProxy::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &)
{
    onDataChanged(topLeft, bottomRight);
}

void RecordProxy::onDataChanged(const QModelIndex &, const QModelIndex &)
{
    if (m_isPrepareMode)
        return;
    // The changed rows forgot their decisions; the others answer from memory.
    if (m_originalModel && m_originalModel->isMerging())
        m_refilterAfterMerge = true;
    else
        QSortFilterProxyModel::invalidateFilter();
}

bool RecordProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (!m_originalModel)
        return false;
    if (m_memoSlot < 0)
        return decide(m_originalModel->recordAt(sourceRow), searchPositions());
    const quint32 &memo = m_originalModel->recordAt(sourceRow).memo[m_memoSlot];
    if (memo >> 1 != m_memoGeneration)
        decideFrom(sourceRow);
    return memo & 1;
}

void RecordProxy::decideFrom(int sourceRow) const
{
    // The framework asks row by row in source order: the undecided rows of a
    // block are decided together, their values fetched ahead.
    constexpr int kBlock = 256;
    const RecordModel &model = *m_originalModel;
    const int end = std::min(model.rowCount(), sourceRow + kBlock);
    std::vector<int> rows;
    rows.reserve(end - sourceRow);
    for (int row = sourceRow; row < end; ++row) {
        if (model.recordAt(row).memo[m_memoSlot] >> 1 != m_memoGeneration)
            rows.push_back(row);
    }
    const std::vector<int> positions = searchPositions();
    const std::vector<int> fetched = m_search.matchesEverything() ? std::vector<int>() : positions;
    visitAhead(
        int(rows.size()), [&](int i) -> const Record & { return model.recordAt(rows[i]); }, fetched, fetched,
        [&](int i) {
            remember(model.recordAt(rows[i]), positions);
        });
}

std::vector<int> RecordProxy::searchPositions() const
{
    std::vector<int> positions;
    positions.reserve(m_searchFields.size());
    for (const QString &field : m_searchFields)
        positions.push_back(m_originalModel->fieldIndex(field));
    return positions;
}

void RecordProxy::decideRead(const std::vector<Record> &records, std::size_t from) const
{
    const std::vector<int> positions = searchPositions();
    for (std::size_t i = from; i < records.size(); ++i)
        remember(records[i], positions);
}

void RecordProxy::remember(const Record &record, const std::vector<int> &searchPositions) const
{
    record.memo[m_memoSlot] = (m_memoGeneration << 1) | (decide(record, searchPositions) ? 1 : 0);
}

bool RecordProxy::decide(const Record &record, const std::vector<int> &searchPositions) const
{
    return passesHardFilters(record) && matchesSearch(record, searchPositions);
}

bool RecordProxy::passesHardFilters(const Record &record) const
{
    if (m_hardFilters.isEmpty())
        return true;
    QVector<FilterGroup> groups;
    groups.reserve(m_groupFilterExp.size());
    for (const FilterGroup &group : m_groupFilterExp)
        groups.append(FilterGroup{group.name, group.condition});

    QString previousCondition;
    for (const HardFilter &filter : m_hardFilters) {
        const int position = m_originalModel->fieldIndex(filter.role);
        const QVariant value = position >= 0 ? record.fields.value(position) : QVariant();
        const bool outcome = evaluate(filter, value, typeOf(filter.role));

        auto group = std::find_if(groups.begin(), groups.end(), [&](const FilterGroup &g) { return g.name == filter.group; });
        if (group == groups.end()) {
            if (auto log = spdlog::get("main"))
                log->warn("_group_filter_exp doesn't contain value for key='{}'", filter.group.toStdString());
            return false;
        }
        if (group->first) {
            group->result = outcome;
            group->first = false;
        } else if (previousCondition == kAnd) {
            group->result = group->result && outcome;
        } else if (previousCondition == kOr) {
            group->result = group->result || outcome;
        } else if (auto log = spdlog::get("main")) {
            log->critical("{}, description: Invalid group expression operation '{}'.", m_filterTag.toStdString(),
                          previousCondition.toStdString());
        }
        previousCondition = filter.condition;
    }

    bool joined = groups.isEmpty() || groups.first().result;
    for (int i = 1; i < groups.size(); ++i) {
        const QString &condition = groups.at(i - 1).condition;
        if (condition == kAnd)
            joined = joined && groups.at(i).result;
        else if (condition == kOr)
            joined = joined || groups.at(i).result;
        else if (auto log = spdlog::get("main"))
            log->critical("Invalid group expression condition: {}", condition.toStdString());
    }
    return joined;
}

bool RecordProxy::matchesSearch(const Record &record, const std::vector<int> &positions) const
{
    if (m_searchFields.isEmpty())
        return false;
    const bool matchAll = m_search.matchesEverything();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const int position = positions[i];
        if (position < 0) {
            if (auto log = spdlog::get("main"))
                log->warn("ProxyModel::filterAcceptsRow(): role '{}' not found in original model",
                          m_searchFields.at(int(i)).toStdString());
            continue;
        }
        if (matchAll)
            return true;
        const QVariant &value = record.fields.at(position);
        // Texts are searched in place; other values as their text.
        if (value.userType() == QMetaType::QString ? m_search.matches(*static_cast<const QString *>(value.constData()))
                                                   : m_search.matches(value.toString()))
            return true;
    }
    return false;
}

bool RecordProxy::evaluate(const HardFilter &filter, const QVariant &value, int type) const
{
    const QString &op = filter.operation;
    if (op == QLatin1String("="))
        return value.toString() == filter.value.toString();
    if (op == QLatin1String("!="))
        return value.toString() != filter.value.toString();

    const bool integer = isIntegerType(type);
    const qint64 li = value.toLongLong(), ri = filter.value.toLongLong();
    const double ld = value.toDouble(), rd = filter.value.toDouble();
    if (op == QLatin1String(">"))
        return integer ? li > ri : ld > rd;
    if (op == QLatin1String(">="))
        return integer ? li >= ri : ld >= rd;
    if (op == QLatin1String("<"))
        return integer ? li < ri : ld < rd;
    if (op == QLatin1String("<="))
        return integer ? li <= ri : ld <= rd;

    // A filter we cannot evaluate hides the row rather than showing unfiltered data.
    if (auto log = spdlog::get("main"))
        log->critical("{}, description: Invalid expression operation '{}'.", m_filterTag.toStdString(), op.toStdString());
    return false;
}

bool RecordProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    // Asked n log n times per sort: while the rows and the sort role stay, the ranks are only looked up.
    const RecordModel *model = m_originalModel.data();
    if (!model || !model->hasDescription())
        return false;
    if (!m_ranksValid || m_ranksRevision != model->revision() || m_ranksRole != sortRole())
        ranks();
    return m_ranks[std::size_t(left.row())] < m_ranks[std::size_t(right.row())];
}

const std::vector<int> &RecordProxy::ranks() const
{
    const RecordModel &model = *m_originalModel;
    const quint64 revision = model.revision();
    if (m_ranksValid && m_ranksRevision == revision && m_ranksRole == sortRole())
        return m_ranks;

    const int rows = model.rowCount();
    const QStringList &roles = model.getRoleListForQml();
    const int field = sortRole() - RecordModel::kFirstRole;
    const QString name = field >= 0 && field < roles.size() ? roles.at(field) : QString();
    const int type = typeOf(name);
    const int position = model.fieldIndex(name);
    const RecordKey &key = model.recordKey();
    const bool byKey = name == key.field();
    const bool integer = isIntegerType(type);
    const bool real = type == 3 || type == 4;

    std::vector<const RecordKey::Value *> keys(rows);
    std::vector<SortValue> values(rows);
    // Texts compare by their place among the distinct texts, ordered once.
    QHash<QString, int> textIds;
    QVector<QString> texts;
    const bool text = !byKey && !integer && !real;
    const std::vector<int> fetched = byKey || position < 0 ? std::vector<int>() : std::vector<int>{position};
    auto at = [&model](int row) -> const Record & { return model.recordAt(row); };
    visitAhead(rows, at, fetched, text ? fetched : std::vector<int>(), [&](int row) {
        const Record &record = model.recordAt(row);
        keys[row] = &record.key;
        if (byKey)
            return;
        const QVariant &value = position >= 0 ? record.fields.at(position) : kNoValue;
        SortValue &v = values[row];
        if (integer) {
            v.integer = value.toLongLong();
        } else if (real) {
            v.real = value.toDouble();
        } else {
            const QString text = value.toString();
            auto it = textIds.constFind(text);
            if (it == textIds.constEnd()) {
                it = textIds.insert(text, texts.size());
                texts.append(text);
            }
            v.text = *it;
        }
    });
    // Texts equal but for case share a place, and keep their order among themselves.
    std::vector<int> textPlace(texts.size());
    if (!texts.isEmpty()) {
        QVector<QString> folded(texts.size());
        for (int i = 0; i < texts.size(); ++i)
            folded[i] = texts.at(i).toLower();
        std::vector<int> byText(texts.size());
        std::iota(byText.begin(), byText.end(), 0);
        std::sort(byText.begin(), byText.end(), [&](int a, int b) { return folded.at(a) < folded.at(b); });
        for (std::size_t i = 1; i < byText.size(); ++i)
            textPlace[byText[i]] = folded.at(byText[i]) == folded.at(byText[i - 1]) ? textPlace[byText[i - 1]] : int(i);
    }
    for (SortValue &v : values) {
        if (text)
            v.integer = textPlace[v.text];
    }

    auto less = [&](int a, int b) {
        if (!byKey) {
            const SortValue &l = values[a];
            const SortValue &r = values[b];
            if (real) {
                if (l.real != r.real)
                    return l.real < r.real;
            } else if (l.integer != r.integer) {
                return l.integer < r.integer;
            } else if (!integer && l.text != r.text) {
                return false;
            }
        }
        return key.compare(*keys[a], *keys[b]) < 0;
    };
    std::vector<int> order(rows);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    m_ranks.assign(rows, 0);
    for (int i = 1; i < rows; ++i)
        m_ranks[order[i]] = less(order[i - 1], order[i]) ? i : m_ranks[order[i - 1]];
    m_ranksRevision = revision;
    m_ranksRole = sortRole();
    m_ranksValid = true;
    return m_ranks;
}

bool RecordProxy::inOrder() const
{
    if (!m_originalModel || (sortColumn() >= 0 && !m_originalModel->hasDescription()))
        return false;
    // Column -1 orders by source row.
    const std::vector<int> *rank = sortColumn() >= 0 ? &ranks() : nullptr;
    auto position = [rank](int sourceRow) { return rank ? (*rank)[sourceRow] : sourceRow; };
    const bool ascending = QSortFilterProxyModel::sortOrder() == Qt::AscendingOrder;
    const int rows = rowCount();
    int previous = rows > 0 ? position(mapToSource(index(0, 0)).row()) : -1;
    for (int row = 1; row < rows; ++row) {
        const int current = position(mapToSource(index(row, 0)).row());
        if (ascending ? current < previous : previous < current)
            return false;
        previous = current;
    }
    return true;
}

int RecordProxy::typeOf(const QString &field) const
{
    return m_originalModel ? m_originalModel->fieldType(field) : 0;
}

void RecordProxy::applyFilters()
{
    m_searchFields = m_filterFields;
    for (const HardFilter &filter : qAsConst(m_hardFilters))
        m_searchFields.removeOne(filter.role);
    if (m_isPrepareMode)
        forgetDecisions();
    else
        refilter();
}

void RecordProxy::refilter()
{
    forgetDecisions();
    // Every row may change: one rebuild of the mapping (in the current order)
    // costs less than removing and inserting the rows interval by interval.
    invalidate();
}

void RecordProxy::forgetDecisions()
{
    if (m_originalModel && m_memoSlot >= 0)
        m_memoGeneration = m_originalModel->nextMemoGeneration(m_memoSlot);
}

} // namespace NtCommon
