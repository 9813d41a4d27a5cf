#pragma once

#include "controllers/base/RowStore.h"
#include "controllers/models/ModelBase.h"

#include <QAbstractListModel>
#include <QSharedPointer>
#include <QStringList>
#include <QVariantMap>

namespace LynClientController {

// Client-side mirror of one server table. Rows stay sorted by rowID, highest
// first, so every look-up by identifier is a binary search.
class OriginalModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(qlonglong maxDtUtcLastUpdate READ getMaxDtUtcLastUpdate WRITE setMaxDtUtcLastUpdate)
    Q_PROPERTY(qlonglong limit READ limit CONSTANT)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY rowCountChanged)
    Q_PROPERTY(bool dataAtLeastLoaded READ dataAtLeastLoaded WRITE setDataAtLeastLoaded NOTIFY dataAtLeastLoadedChanged)

public:
    static constexpr int kFirstRole = Qt::UserRole + 1;
    static constexpr int kMissingRole = Qt::UserRole;

    explicit OriginalModel(QObject *parent = nullptr);

    Q_INVOKABLE int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    void setModelBase(const QSharedPointer<LYNCommon::ModelBase> &description);
    QSharedPointer<LYNCommon::ModelBase> modelBase() const;
    // Role number of a field name; kMissingRole (remembered) when absent.
    int roleOf(const QString &name) const;
    // Value of a field of a row by name, without the role detour.
    QVariant fieldValue(int row, const QString &name) const;

    Q_INVOKABLE int checkValueByRole(QString role, QVariant value) const;
    Q_INVOKABLE int checkValueByRole(QStringList roles, QVariantList values) const;
    Q_INVOKABLE int findId(qlonglong id) const;
    Q_INVOKABLE QVariantMap originalData(int row) const;
    Q_INVOKABLE QVariant originalData(int row, QString role) const;
    Q_INVOKABLE QVariant originalData(QString parameterRole, QString parameter, QString valueRole) const;
    Q_INVOKABLE void addRow(QVariantMap mapParams);
    Q_INVOKABLE void clear();
    Q_INVOKABLE void removeRow(int row, const QModelIndex &parent = QModelIndex());
    Q_INVOKABLE void delRow(QString id);
    Q_INVOKABLE QString roleTitle(QString role) const;
    Q_INVOKABLE void setRoleList(QStringList list);
    Q_INVOKABLE qlonglong getFieldProperties(QString role) const;
    Q_INVOKABLE QString getFieldName(QString role) const;
    Q_INVOKABLE qlonglong getSeqNum(QString role) const;
    Q_INVOKABLE QStringList getRoleListForQml() const;
    Q_INVOKABLE void updateValue(QString id, QString role, QVariant value, bool useRefresh = true);
    Q_INVOKABLE void updateValue(int row, QString role, QVariant value, bool useRefresh = true);
    Q_INVOKABLE void refresh();
    Q_INVOKABLE qlonglong getMaxDtUtcLastUpdate() const;

    void setMaxDtUtcLastUpdate(qlonglong value);
    qlonglong limit() const;
    bool dataAtLeastLoaded() const;
    void setDataAtLeastLoaded(bool value);

signals:
    void dataListChanged(int rowIndex);
    void rowCountChanged(int rowCount);
    void dataAtLeastLoadedChanged(bool dataAtLeastLoaded);

private:
    struct SearchResult
    {
        int row;
        bool found;
    };
    SearchResult searchId(qint64 id) const;
    qint64 rowIdAt(int row, bool *ok = nullptr) const;
    bool writeField(int row, const QString &name, const QVariant &value);
    void applyLimit();

    RowStore m_rows;
    QStringList m_roleList;
    mutable QString m_lastMissingRole;
    qint64 m_maxDtUtcLastUpdate = 0;
    bool m_dataAtLeastLoaded = false;
    QSharedPointer<LYNCommon::ModelBase> m_modelBase;
};

} // namespace LynClientController
