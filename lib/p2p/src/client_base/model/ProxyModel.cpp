#include "client_base/model/ProxyModel.h"

#include "client_base/model/OriginalModel.h"
#include "nt_common/core/error/LocationTag.h"

#include <QMutexLocker>
#include <QRegularExpression>

#include <spdlog/spdlog.h>

namespace P2pClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\client_base\\model\\ProxyModel");
const QString kId = QStringLiteral("id");
const QString kAnd = QStringLiteral("and");
const QString kOr = QStringLiteral("or");
const QString kDefaultGroup = QStringLiteral("default");

const QString &filterTag()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientController::ProxyModel::filterAcceptsRow"));
    return tag;
}

bool isIntegerType(int type)
{
    return type == 1 || type == 2;
}
} // namespace

ProxyModel::ProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(false);
    m_groupFilterExp.insert(0, FilterGroup{kDefaultGroup, kAnd});
    connect(this, &QSortFilterProxyModel::sourceModelChanged, this, &ProxyModel::onSourceModelChanged);
}

template <class T>
qint64 ProxyModel::nextKey(const QMap<qint64, T> &map)
{
    return map.isEmpty() ? 0 : map.lastKey() + 1;
}

void ProxyModel::setOriginalModel(OriginalModel *originalModel)
{
    m_originalModel = originalModel;
    setSourceModel(originalModel);
    m_filterFields = originalModel ? originalModel->getRoleListForQml() : QStringList();
    applyFilters();
    sortRows(kId, Qt::DescendingOrder);
}

void ProxyModel::setFilterPattern(QString filterPattern)
{
    if (filterPattern == filterRegularExpression().pattern())
        return;
    QString pattern = filterPattern;
    if (m_extendedSearch) {
        const QStringList parts = filterPattern.split(QLatin1Char(' '));
        if (parts.size() >= 2) {
            pattern.clear();
            for (const QString &part : parts)
                pattern += QStringLiteral("(?=.*") + part + QLatin1Char(')');
        }
    }
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    if (!expression.isValid()) {
        if (auto log = spdlog::get("main"))
            log->warn("ProxyModel::setFilterPattern(): invalid pattern '{}': {}", pattern.toStdString(),
                      expression.errorString().toStdString());
    }
    setFilterRegularExpression(expression);
    m_filterRowCount = rowCount();
    emit filterFinished();
}

void ProxyModel::setFilterFields(QStringList filterRoleList)
{
    m_filterFields = filterRoleList;
    applyFilters();
}

void ProxyModel::appendHardFilterRole(QString role, QString operation, QVariant value, QString condition,
                                      QString group_filter_name)
{
    m_hardFilters.insert(nextKey(m_hardFilters), HardFilter{role, condition, value, operation, group_filter_name});
    applyFilters();
}

void ProxyModel::removeHardFilterRole(QString role, QString value)
{
    for (auto it = m_hardFilters.begin(); it != m_hardFilters.end();) {
        if (it->role == role && it->value == QVariant(value))
            it = m_hardFilters.erase(it);
        else
            ++it;
    }
    applyFilters();
}

void ProxyModel::removeHardFilterRole(QString role)
{
    for (auto it = m_hardFilters.begin(); it != m_hardFilters.end();) {
        if (it->role == role)
            it = m_hardFilters.erase(it);
        else
            ++it;
    }
    applyFilters();
}

void ProxyModel::setHardFilterRole(QString role, QString operation, QVariant value, QString condition)
{
    m_hardFilters.clear();
    appendHardFilterRole(role, operation, value, condition, kDefaultGroup);
}

void ProxyModel::clearHardFilter()
{
    m_hardFilters.clear();
    applyFilters();
}

void ProxyModel::appendHardFilterGroup(QString group, QString condition)
{
    m_groupFilterExp.insert(nextKey(m_groupFilterExp), FilterGroup{group, condition});
}

void ProxyModel::removeHardFilterGroup(QString group)
{
    for (auto it = m_groupFilterExp.begin(); it != m_groupFilterExp.end();) {
        if (it->name == group)
            it = m_groupFilterExp.erase(it);
        else
            ++it;
    }
}

void ProxyModel::clearHardFilterGroup()
{
    m_groupFilterExp.clear();
}

void ProxyModel::beginPrepare()
{
    m_isPrepareMode = true;
    emit isPrepareModeChanged(true);
}

void ProxyModel::endPrepare()
{
    QSortFilterProxyModel::invalidateFilter();
    m_isPrepareMode = false;
    emit isPrepareModeChanged(false);
}

void ProxyModel::invalidateFilter()
{
    QSortFilterProxyModel::invalidateFilter();
}

void ProxyModel::sortRows(QString role, Qt::SortOrder order)
{
    if (role != m_sortedRole) {
        m_sortedRole = role;
        emit sortedRoleChanged(role);
    }
    emit sortStarted();
    if (m_originalModel)
        setSortRole(m_originalModel->roleOf(role));
    sort(0, order);
    emit sortFinished();
}

void ProxyModel::sortRows()
{
    sortRows(m_sortedRole, sortOrder());
}

void ProxyModel::getSortedRole()
{
}

int ProxyModel::checkValueByRole(QString role, QVariant value) const
{
    if (!m_originalModel)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_originalModel->fieldValue(mapToSource(index(row, 0)).row(), role) == value)
            return row;
    }
    return -1;
}

int ProxyModel::checkValueByRole(QStringList roles, QVariantList values) const
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

QVariant ProxyModel::proxyData(int row, QString role) const
{
    if (!m_originalModel || row < 0 || row >= rowCount())
        return QVariant();
    return m_originalModel->fieldValue(mapToSource(index(row, 0)).row(), role);
}

QVariant ProxyModel::proxyData(QString parameterRole, QString parameter, QString valueRole) const
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

int ProxyModel::rowCount(const QModelIndex &parent) const
{
    return QSortFilterProxyModel::rowCount(parent);
}

int ProxyModel::getFilterRowCount() const
{
    return m_filterRowCount;
}

void ProxyModel::sort(int column, Qt::SortOrder order)
{
    QMutexLocker locker(&m_sortLock);
    QSortFilterProxyModel::sort(column, order);
}

bool ProxyModel::extendedSearch() const
{
    return m_extendedSearch;
}

void ProxyModel::setExtendedSearch(bool value)
{
    if (value == m_extendedSearch)
        return;
    m_extendedSearch = value;
    emit extendedSearchChanged();
    if (!m_isPrepareMode)
        QSortFilterProxyModel::invalidateFilter();
}

bool ProxyModel::showAllByZeroSearch() const
{
    return false;
}

QString ProxyModel::sortedRole() const
{
    return m_sortedRole;
}

bool ProxyModel::isPrepareMode() const
{
    return m_isPrepareMode;
}

void ProxyModel::setIsPrepareMode(bool value)
{
    m_isPrepareMode = value;
    emit isPrepareModeChanged(value);
}

void ProxyModel::onSourceModelChanged()
{
    disconnect(m_sourceDataChanged);
    if (sourceModel())
        m_sourceDataChanged = connect(sourceModel(), &QAbstractItemModel::dataChanged, this,
                                      QOverload<const QModelIndex &, const QModelIndex &, const QVector<int> &>::of(&ProxyModel::onDataChanged));
}

void ProxyModel::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &)
{
    onDataChanged(topLeft, bottomRight);
}

void ProxyModel::onDataChanged(const QModelIndex &, const QModelIndex &)
{
    if (!m_isPrepareMode)
        QSortFilterProxyModel::invalidateFilter();
}

bool ProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (!m_originalModel)
        return false;
    return passesHardFilters(sourceRow) && matchesSearch(sourceRow);
}

bool ProxyModel::passesHardFilters(int sourceRow) const
{
    if (m_hardFilters.isEmpty())
        return true;
    QVector<FilterGroup> groups;
    groups.reserve(m_groupFilterExp.size());
    for (const FilterGroup &group : m_groupFilterExp)
        groups.append(FilterGroup{group.name, group.condition});

    const QStringList &roles = m_originalModel->getRoleListForQml();
    QString previousCondition;
    for (const HardFilter &filter : m_hardFilters) {
        const QVariant value = roles.contains(filter.role) ? m_originalModel->fieldValue(sourceRow, filter.role) : QVariant();
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
            log->critical("{}, description: Invalid group expression operation '{}'.", filterTag().toStdString(),
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

bool ProxyModel::matchesSearch(int sourceRow) const
{
    if (m_searchFields.isEmpty())
        return false;
    const QRegularExpression &expression = filterRegularExpression();
    const bool matchAll = expression.pattern().isEmpty();
    const QStringList &roles = m_originalModel->getRoleListForQml();
    for (const QString &field : m_searchFields) {
        if (!roles.contains(field)) {
            if (auto log = spdlog::get("main"))
                log->warn("ProxyModel::filterAcceptsRow(): role '{}' not found in original model", field.toStdString());
            continue;
        }
        if (matchAll || expression.match(m_originalModel->fieldValue(sourceRow, field).toString()).hasMatch())
            return true;
    }
    return false;
}

bool ProxyModel::evaluate(const HardFilter &filter, const QVariant &value, int type) const
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
        log->critical("{}, description: Invalid expression operation '{}'.", filterTag().toStdString(), op.toStdString());
    return false;
}

bool ProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_originalModel || !m_originalModel->modelBase())
        return false;
    const int sortRoleNumber = sortRole();
    const int field = sortRoleNumber - OriginalModel::kFirstRole;
    const QStringList &roles = m_originalModel->getRoleListForQml();
    QString name = field >= 0 && field < roles.size() ? roles.at(field) : QString();

    QVariant l = m_originalModel->fieldValue(left.row(), name);
    QVariant r = m_originalModel->fieldValue(right.row(), name);
    if (l == r) {
        name = kId;
        l = m_originalModel->fieldValue(left.row(), name);
        r = m_originalModel->fieldValue(right.row(), name);
    }
    // Ids order the same way as the record model keeps its rows.
    if (name == kId)
        return OriginalModel::compareIds(l.toString(), r.toString()) < 0;
    const int type = typeOf(name);
    if (isIntegerType(type))
        return l.toLongLong() < r.toLongLong();
    if (type == 3 || type == 4)
        return l.toDouble() < r.toDouble();
    return l.toString().toLower() < r.toString().toLower();
}

int ProxyModel::typeOf(const QString &field) const
{
    return m_originalModel && m_originalModel->modelBase() ? m_originalModel->modelBase()->fieldType(field) : 0;
}

void ProxyModel::applyFilters()
{
    m_searchFields = m_filterFields;
    for (const HardFilter &filter : qAsConst(m_hardFilters))
        m_searchFields.removeOne(filter.role);
    if (!m_isPrepareMode)
        QSortFilterProxyModel::invalidateFilter();
}

} // namespace P2pClientController
