#pragma once

#include "client_base/model/ModelBase.h"
#include "nt_common/core/dto/DTO.h"

#include <QAbstractListModel>
#include <QSharedPointer>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

namespace P2pClientController {

// Client-side mirror of one table reached over the P2P server. Records are
// keyed by the text `id`; rows stay ordered by it, highest first (whole-number
// ids by value, other texts after them), so look-ups are binary searches.
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

    void setModelBase(const QSharedPointer<ModelBase> &description);
    QSharedPointer<ModelBase> modelBase() const;
    // Role number of a field name; kMissingRole (remembered) when absent.
    int roleOf(const QString &name) const;
    QVariant fieldValue(int row, const QString &name) const;
    // Merges one message object; one without a usable `id` is logged and dropped.
    void addRow(const DTO &mapParams);

    Q_INVOKABLE int checkValueByRole(QString role, QVariant value) const;
    Q_INVOKABLE int checkValueByRole(QStringList roles, QVariantList values) const;
    Q_INVOKABLE int findId(QString id) const;
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

    // The text form of an id as messages carry it (text or whole number); empty when unusable.
    static QString idText(const QVariant &id);
    // Order of ids: whole numbers by value, above any other text; texts by code units.
    static int compareIds(const QString &a, const QString &b);

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
    SearchResult searchId(const QString &id) const;
    // A time in milliseconds from a message value; false when it is not a usable whole number.
    static bool toStamp(const QVariant &value, qint64 *stamp);
    bool writeField(int row, const QString &name, const QVariant &value);
    void applyLimit();

    QVector<QVariantMap> m_rows;
    QStringList m_roleList;
    mutable QString m_lastMissingRole;
    qint64 m_maxDtUtcLastUpdate = 0;
    bool m_dataAtLeastLoaded = false;
    QSharedPointer<ModelBase> m_modelBase;
};

} // namespace P2pClientController
