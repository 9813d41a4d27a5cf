#pragma once

#include "controllers/base/ControllerDesktopBase.h"

#include <QJsonArray>

namespace LynClientController {

// The recorded pieces of video the local server keeps ("archive").
class ArchiveController : public ControllerDesktopBase
{
    Q_OBJECT
    // When set, the controller feeds the records of its own query answers to its model
    // itself, inside the answer's batch, so that a screen showing a day of thousands of
    // pieces never copies them through QML. Off by default: screens feed them.
    Q_PROPERTY(bool feedRecords READ feedRecords WRITE setFeedRecords NOTIFY feedRecordsChanged)
public:
    explicit ArchiveController(QObject *parent = nullptr);

    bool feedRecords() const { return m_feedRecords; }
    void setFeedRecords(bool value);

    // Adds the records of an answer to a record model, as a screen would with addRow.
    static void addRecords(NtCommon::RecordModel *model, const QJsonArray &records);

signals:
    void feedRecordsChanged(bool feedRecords);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
    bool m_feedRecords = false;
};

} // namespace LynClientController
