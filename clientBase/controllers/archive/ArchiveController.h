#pragma once

#include "controllers/base/ControllerDesktopBase.h"

#include <QJsonArray>
#include <QStringList>

namespace LynClientController {

// The recorded pieces of video the local server keeps ("archive").
class ArchiveController : public ControllerDesktopBase
{
    Q_OBJECT
    // When set, the controller feeds the records of its own query answers to its model
    // itself, inside the answer's batch, so that a screen showing a day of thousands of
    // pieces never copies them through QML. Off by default: screens feed them.
    Q_PROPERTY(bool feedRecords READ feedRecords WRITE setFeedRecords NOTIFY feedRecordsChanged)
    // The fields the fed records keep (the key and dtUpdate always); empty keeps all. Turning
    // every field of thousands of records into maps was most of the time a day took to load.
    Q_PROPERTY(QStringList feedFields READ feedFields WRITE setFeedFields NOTIFY feedFieldsChanged)
public:
    explicit ArchiveController(QObject *parent = nullptr);

    bool feedRecords() const { return m_feedRecords; }
    void setFeedRecords(bool value);
    QStringList feedFields() const { return m_feedFields; }
    void setFeedFields(const QStringList &fields);

    // Adds the records of an answer to a record model, as a screen would with addRow,
    // keeping only the given fields (and the merge's own) when there are any.
    static void addRecords(NtCommon::RecordModel *model, const QJsonArray &records, const QStringList &fields = {});

signals:
    void feedRecordsChanged(bool feedRecords);
    void feedFieldsChanged();

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
    bool m_feedRecords = false;
    QStringList m_feedFields;
};

} // namespace LynClientController
