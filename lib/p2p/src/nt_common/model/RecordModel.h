#pragma once

#include "nt_common/model/FieldCatalog.h"
#include "nt_common/model/Record.h"
#include "nt_common/model/RecordKey.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

namespace NtCommon {

// The record model both links mirror their tables into: rows kept in
// descending key order, roles from the table's field names. Answers merge as
// one batch with as few notifications as the result allows: one dataChanged
// per run of updated rows, one insertion per run of new rows, or a reset when
// most rows change. The concrete models add the typed table description.
class RecordModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(qlonglong maxDtUtcLastUpdate READ getMaxDtUtcLastUpdate WRITE setMaxDtUtcLastUpdate)
    Q_PROPERTY(qlonglong limit READ limit CONSTANT)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY rowCountChanged)
    Q_PROPERTY(bool dataAtLeastLoaded READ dataAtLeastLoaded WRITE setDataAtLeastLoaded NOTIFY dataAtLeastLoadedChanged)

public:
    static constexpr int kFirstRole = Qt::UserRole + 1;
    static constexpr int kMissingRole = Qt::UserRole;

    RecordModel(const RecordKey &key, QObject *parent);

    Q_INVOKABLE int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The proxy's sort asks for two indexes per comparison: no virtual detours.
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    bool hasDescription() const { return m_catalog != nullptr; }
    // Type code of a field; 0 without a description or for an undeclared field.
    int fieldType(const QString &name) const;
    qlonglong limit() const;

    const RecordKey &recordKey() const;
    // Role number of a field name; kMissingRole (remembered) when absent.
    int roleOf(const QString &name) const;
    // Position of a field in the role list; -1 when absent.
    int fieldIndex(const QString &name) const;
    QVariant fieldValue(int row, const QString &name) const;
    const Record &recordAt(int row) const
    {
        flushPending();
        return m_rows[row];
    }
    // Changes with every change of the rows, so derived data can tell it is stale.
    quint64 revision() const
    {
        flushPending();
        return m_revision;
    }
    // True while a merge is announcing its changes; mergeFinished() follows.
    bool isMerging() const;

    // Merges records as if added one by one, with the notifications of one batch.
    void mergeRecords(const QVector<QVariantMap> &records);
    // Between these, addRow collects; the batch is merged at the end, or as
    // soon as anything reads or changes the rows.
    void beginBatch();
    void endBatch();

    // Per-proxy memory of filter decisions kept in the rows; -1 when all slots
    // are taken. `decide` sees the records read for a merge, from a position
    // on, a few at a time while their values are at hand.
    using Decider = std::function<void(const std::vector<Record> &, std::size_t)>;
    int acquireMemoSlot(Decider decide);
    void releaseMemoSlot(int slot);
    // Invalidates every decision remembered in the slot; returns the new generation.
    quint32 nextMemoGeneration(int slot);
    quint32 memoGeneration(int slot) const;

    Q_INVOKABLE int checkValueByRole(QString role, QVariant value) const;
    Q_INVOKABLE int checkValueByRole(QStringList roles, QVariantList values) const;
    Q_INVOKABLE QVariantMap originalData(int row) const;
    Q_INVOKABLE QVariant originalData(int row, QString role) const;
    Q_INVOKABLE QVariant originalData(QString parameterRole, QString parameter, QString valueRole) const;
    Q_INVOKABLE void addRow(QVariantMap mapParams);
    Q_INVOKABLE void clear();
    Q_INVOKABLE void removeRow(int row, const QModelIndex &parent = QModelIndex());
    Q_INVOKABLE void delRow(QString id);
    Q_INVOKABLE QString roleTitle(QString role) const;
    Q_INVOKABLE qlonglong getFieldProperties(QString role) const;
    Q_INVOKABLE QString getFieldName(QString role) const;
    Q_INVOKABLE qlonglong getSeqNum(QString role) const;
    Q_INVOKABLE void setRoleList(QStringList list);
    Q_INVOKABLE QStringList getRoleListForQml() const;
    Q_INVOKABLE void updateValue(QString id, QString role, QVariant value, bool useRefresh = true);
    Q_INVOKABLE void updateValue(int row, QString role, QVariant value, bool useRefresh = true);
    Q_INVOKABLE void refresh();
    Q_INVOKABLE qlonglong getMaxDtUtcLastUpdate() const;

    void setMaxDtUtcLastUpdate(qlonglong value);
    bool dataAtLeastLoaded() const;
    void setDataAtLeastLoaded(bool value);

signals:
    void dataListChanged(int rowIndex);
    void rowCountChanged(int rowCount);
    void dataAtLeastLoadedChanged(bool dataAtLeastLoaded);
    void mergeFinished();

protected:
    // Takes the table's description; the roles become its field names in map order.
    void setCatalog(std::unique_ptr<FieldCatalog> catalog);
    // Row of the record a text names; -1 when absent or when the text names no record.
    int rowOfKeyText(const QString &text) const;
    int rowOfKey(const RecordKey::Value &key) const;

private:
    struct Position
    {
        int row;
        bool found;
    };
    struct Incoming;
    // A field name of the last record read and its position (-1: not a field of the table).
    struct ShapeEntry
    {
        QString name;
        int position;
    };

    Position search(const RecordKey::Value &key) const;
    // Called on every read, a few million times in a sort: the check stays inline.
    void flushPending() const
    {
        if (!m_pending.isEmpty())
            mergePending();
    }
    void mergePending() const;
    void decideRead(const std::vector<Record> &records, std::size_t from) const;
    // Returns the number of rows inserted.
    int mergeBatch(const QVector<QVariantMap> &records);
    // Reads a record into a row of its own in one pass over the map; false when it is dropped.
    bool readIncoming(const QVariantMap &map, Record *record, Incoming *incoming) const;
    // Applies a read record to a row under the dtUpdate rule; false when it was older.
    bool applyIncoming(Record &record, const Record &source, const Incoming &incoming) const;
    // Positions of the records by descending key, in arrival order within one key.
    std::vector<int> keyOrder(const std::vector<Record> &records) const;
    // Calls visit(position, name, value) for each entry of the map; position is -1 for a name the table lacks.
    template <class Visit>
    void forEachField(const QVariantMap &map, Visit visit) const;
    void applyLimit();
    Record makeRecord(const RecordKey::Value &key, const QVariantMap &map) const;
    QVariantMap toMap(const Record &record) const;
    QVariant valueOf(const Record &record, const QString &name) const;
    bool writeField(Record &record, int field, const QVariant &value);
    void removeAt(int row);

    RecordKey m_key;
    std::unique_ptr<FieldCatalog> m_catalog;
    std::vector<Record> m_rows;
    QStringList m_roleList;
    QHash<QString, int> m_fieldIndex;
    int m_keyFieldIndex = -1;
    int m_updateFieldIndex = -1;
    mutable std::vector<ShapeEntry> m_shape;
    mutable QString m_lastMissingRole;
    qint64 m_maxDtUtcLastUpdate = 0;
    bool m_dataAtLeastLoaded = false;
    mutable QVector<QVariantMap> m_pending;
    int m_batchDepth = 0;
    bool m_merging = false;
    quint64 m_revision = 0;
    std::array<quint32, Record::kMemoSlots> m_memoGeneration{};
    std::array<bool, Record::kMemoSlots> m_memoTaken{};
    std::array<Decider, Record::kMemoSlots> m_deciders;
};

} // namespace NtCommon
