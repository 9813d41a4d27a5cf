#include "controllers/archive/VideoLineListController.h"

#include "controllers/models/VideoLineListModel.h"
#include "nt_common/model/RecordModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QAbstractItemModel>

#include <spdlog/spdlog.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace LynClientController {

namespace {
struct Segment
{
    double xOffset;
    double duration;
    int type;
    qlonglong rowID;
};

// The JSON array of a line, written directly: a day holds thousands of pieces.
QString segmentsText(const std::vector<Segment> &segments)
{
    QString text;
    text.reserve(int(segments.size()) * 64 + 2);
    text += QLatin1Char('[');
    for (const Segment &s : segments) {
        if (text.size() > 1)
            text += QLatin1Char(',');
        text += QLatin1String("{\"type\":") + QString::number(s.type) + QLatin1String(",\"xOffset\":")
            + QString::number(s.xOffset, 'g', 12) + QLatin1String(",\"duration\":") + QString::number(s.duration, 'g', 12)
            + QLatin1String(",\"rowID\":") + QString::number(s.rowID) + QLatin1Char('}');
    }
    text += QLatin1Char(']');
    return text;
}

// Reads one column of a model by its role name; a record model's values are read in
// place, without an index and a data() call for each of thousands of rows.
class Column
{
public:
    Column(const QAbstractItemModel *model, const QByteArray &name)
        : m_model(model)
        , m_records(qobject_cast<const NtCommon::RecordModel *>(model))
        , m_role(model->roleNames().key(name, -1))
        , m_field(m_records ? m_records->fieldIndex(QString::fromLatin1(name)) : -1)
    {
    }
    QVariant at(int row) const
    {
        if (m_field >= 0)
            return m_records->recordAt(row).fields.value(m_field);
        return m_role < 0 ? QVariant() : m_model->index(row, 0).data(m_role);
    }

private:
    const QAbstractItemModel *m_model;
    const NtCommon::RecordModel *m_records;
    int m_role;
    int m_field;
};
} // namespace

VideoLineListController::VideoLineListController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_modelBase = QSharedPointer<LYNModels::VideoLineListModel>::create();
    m_model.setModelBase(m_modelBase);
    attachOriginalModel(&m_model);
    attachProxyModel(&m_proxy);
}

QStringList VideoLineListController::archiveFields()
{
    return {QStringLiteral("rowID"), QStringLiteral("rstIDDevice"), QStringLiteral("type"), QStringLiteral("dtStart"),
            QStringLiteral("dtEnd")};
}

int VideoLineListController::buildLines(QAbstractItemModel *archive, QAbstractItemModel *devices, qlonglong dayStartMs,
                                        qlonglong dayEndMs)
{
    if (!archive || !devices || dayEndMs <= dayStartMs)
        return 0;
    std::map<qlonglong, QString> names;
    const Column deviceId(devices, "rowID");
    const Column deviceName(devices, "deviceName");
    for (int row = 0, rows = devices->rowCount(); row < rows; ++row)
        names.emplace(deviceId.at(row).toLongLong(), deviceName.at(row).toString());

    std::map<qlonglong, std::vector<Segment>> lines;
    const Column rowId(archive, "rowID");
    const Column device(archive, "rstIDDevice");
    const Column type(archive, "type");
    const Column dtStart(archive, "dtStart");
    const Column dtEnd(archive, "dtEnd");
    auto log = spdlog::get("main");
    std::set<qlonglong> unknown;
    for (int row = 0, rows = archive->rowCount(); row < rows; ++row) {
        const qlonglong start = qMax(dtStart.at(row).toLongLong(), dayStartMs);
        const qlonglong end = qMin(dtEnd.at(row).toLongLong(), dayEndMs);
        if (end <= start)
            continue;
        const qlonglong id = device.at(row).toLongLong();
        if (!names.count(id)) {
            if (log && unknown.insert(id).second)
                log->warn(QStringLiteral("Failed to define row by mapParams.rstIDDevice: %1").arg(id).toStdString());
            continue;
        }
        lines[id].push_back({(start - dayStartMs) / 1000.0, (end - start) / 1000.0, type.at(row).toInt(),
                             rowId.at(row).toLongLong()});
    }

    {
        NtCommon::TableAnswer batch(&m_model, true);
        for (auto &line : lines) {
            std::sort(line.second.begin(), line.second.end(),
                      [](const Segment &a, const Segment &b) { return a.xOffset < b.xOffset; });
            m_model.addRow({{"rowID", line.first}, {"rstIDDevice", line.first}, {"deviceName", names.at(line.first)},
                            {"modelOfArchiveLine", segmentsText(line.second)}});
        }
    }
    NtCommon::TableAnswer::finish(&m_model, &m_proxy);
    return int(lines.size());
}

} // namespace LynClientController
