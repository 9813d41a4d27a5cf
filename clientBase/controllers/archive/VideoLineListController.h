#pragma once

#include "controllers/base/ControllerDesktopBase.h"

class QAbstractItemModel;

namespace LynClientController {

// The lines of the archive screen, one per device. A local table that QML
// fills itself: no controller name, no server messages.
class VideoLineListController : public ControllerDesktopBase
{
    Q_OBJECT
    // The archive fields the lines are built from: all an archive model feeding them needs to keep.
    Q_PROPERTY(QStringList archiveFields READ archiveFields CONSTANT)
public:
    explicit VideoLineListController(QObject *parent = nullptr);

    static QStringList archiveFields();

    // Replaces the lines with one per device that has pieces in [dayStartMs, dayEndMs):
    // modelOfArchiveLine is a JSON array of {type, xOffset, duration, rowID} in seconds
    // from dayStartMs, ordered by xOffset. Pieces of unknown devices are left out (each
    // such device logged once). Returns the number of lines. Thousands of pieces, hence here and not in QML.
    Q_INVOKABLE int buildLines(QAbstractItemModel *archive, QAbstractItemModel *devices, qlonglong dayStartMs,
                               qlonglong dayEndMs);

private:
    OriginalModel m_model;
    ProxyModel m_proxy;
};

} // namespace LynClientController
