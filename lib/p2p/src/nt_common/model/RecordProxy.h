#pragma once

#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QVariant>

#include "nt_common/model/SearchPattern.h"

#include <vector>

namespace NtCommon {

class RecordModel;
struct Record;

// What a view shows of a record model: a free-text search over chosen fields,
// hard filters in named groups, and an order by one field's type code with
// the record key as tie-break. Filter decisions are remembered in the rows
// until the row or the filter changes, and the order is computed once over
// plain keys, so a merged answer costs one pass over the unchanged rows.
class RecordProxy : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_PROPERTY(bool extendedSearch READ extendedSearch WRITE setExtendedSearch NOTIFY extendedSearchChanged)
    Q_PROPERTY(bool showAllByZeroSearch READ showAllByZeroSearch CONSTANT)
    Q_PROPERTY(QString sortedRole READ sortedRole NOTIFY sortedRoleChanged)
    Q_PROPERTY(bool isPrepareMode READ isPrepareMode WRITE setIsPrepareMode NOTIFY isPrepareModeChanged)

public:
    // `filterFunction` names the row filter in its log lines; `keyField` is the default order.
    RecordProxy(const QString &sourcePath, const QString &filterFunction, const QString &keyField, QObject *parent);
    ~RecordProxy() override;

    Q_INVOKABLE void setFilterPattern(QString filterPattern);
    Q_INVOKABLE void setFilterFields(QStringList filterRoleList);
    Q_INVOKABLE void appendHardFilterRole(QString role, QString operation, QVariant value,
                                          QString condition = QStringLiteral("and"),
                                          QString group_filter_name = QStringLiteral("default"));
    Q_INVOKABLE void removeHardFilterRole(QString role, QString value);
    Q_INVOKABLE void removeHardFilterRole(QString role);
    Q_INVOKABLE void setHardFilterRole(QString role, QString operation, QVariant value,
                                       QString condition = QStringLiteral("and"));
    Q_INVOKABLE void clearHardFilter();
    Q_INVOKABLE void appendHardFilterGroup(QString group, QString condition);
    Q_INVOKABLE void removeHardFilterGroup(QString group);
    Q_INVOKABLE void clearHardFilterGroup();
    Q_INVOKABLE void beginPrepare();
    Q_INVOKABLE void endPrepare();
    Q_INVOKABLE void invalidateFilter();
    Q_INVOKABLE void sortRows(QString role, Qt::SortOrder order);
    Q_INVOKABLE void sortRows();
    Q_INVOKABLE void getSortedRole();
    Q_INVOKABLE int checkValueByRole(QString role, QVariant value) const;
    Q_INVOKABLE int checkValueByRole(QStringList roles, QVariantList values) const;
    Q_INVOKABLE QVariant proxyData(int row, QString role) const;
    Q_INVOKABLE QVariant proxyData(QString parameterRole, QString parameter, QString valueRole) const;
    Q_INVOKABLE int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    Q_INVOKABLE int getFilterRowCount() const;

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The order last asked for by sortRows.
    Qt::SortOrder sortOrder() const;

    bool extendedSearch() const;
    void setExtendedSearch(bool value);
    bool showAllByZeroSearch() const;
    QString sortedRole() const;
    bool isPrepareMode() const;
    void setIsPrepareMode(bool value);

signals:
    void extendedSearchChanged();
    void sortStarted();
    void sortFinished();
    void filterFinished();
    void sortedRoleChanged(QString sortedRole);
    void isPrepareModeChanged(bool isPrepareMode);

public slots:
    void onSourceModelChanged();
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);

protected:
    void setRecordModel(RecordModel *model);
    RecordModel *recordModel() const;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    struct HardFilter
    {
        QString role;
        QString condition;
        QVariant value;
        QString operation;
        QString group;
    };
    struct FilterGroup
    {
        QString name;
        QString condition;
        bool result = true;
        bool first = true;
    };

    template <class T>
    static qint64 nextKey(const QMap<qint64, T> &map);
    void applyFilters();
    // Forgets every remembered decision and re-filters.
    void refilter();
    void forgetDecisions();
    // Decides sourceRow and the undecided rows after it, a block at a time.
    void decideFrom(int sourceRow) const;
    // Role-list positions of the search fields; -1 for a field the model lacks.
    std::vector<int> searchPositions() const;
    // Decides records the model has just read, before they become rows.
    void decideRead(const std::vector<Record> &records, std::size_t from) const;
    void remember(const Record &record, const std::vector<int> &searchPositions) const;
    bool decide(const Record &record, const std::vector<int> &searchPositions) const;
    bool evaluate(const HardFilter &filter, const QVariant &value, int type) const;
    bool passesHardFilters(const Record &record) const;
    bool matchesSearch(const Record &record, const std::vector<int> &searchPositions) const;
    int typeOf(const QString &field) const;
    // Rank of every source row in ascending order of the sort role; rebuilt when stale.
    const std::vector<int> &ranks() const;
    bool inOrder() const;

    QString m_filterTag;
    QString m_keyField;
    QStringList m_filterFields;
    QStringList m_searchFields;
    QPointer<RecordModel> m_originalModel;
    QString m_sortedRole;
    QMap<qint64, FilterGroup> m_groupFilterExp;
    QMap<qint64, HardFilter> m_hardFilters;
    bool m_isPrepareMode = false;
    QMutex m_sortLock;
    bool m_extendedSearch = true;
    int m_filterRowCount = 0;
    SearchPattern m_search;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
    QMetaObject::Connection m_sourceDataChanged;
    QMetaObject::Connection m_sourceMergeFinished;
    int m_memoSlot = -1;
    quint32 m_memoGeneration = 0;
    bool m_refilterAfterMerge = false;
    mutable std::vector<int> m_ranks;
    mutable quint64 m_ranksRevision = 0;
    mutable int m_ranksRole = -1;
    mutable bool m_ranksValid = false;
};

} // namespace NtCommon
