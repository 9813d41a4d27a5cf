#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QStringList>

namespace Standin {

class TableStore;

// The analysis-module service ("moduleSystem"): the list of detectors, the
// active ones per device and their parameters, all kept in the tables file.
class Modules
{
public:
    explicit Modules(TableStore &store);

    // Creates the module tables and fills the module list on first use.
    bool prepare(QString *error);
    // The answer's payload for one of the six requests (status ERROR with a
    // message when the request is unknown or malformed).
    QJsonObject handle(const QString &action, const QJsonObject &request);
    bool isActive(qint64 deviceId, const QString &workname) const;
    static const QString objectDetection;

private:
    QJsonObject moduleList() const;
    QJsonObject switchModule(qint64 deviceId, const QString &workname, bool on);
    QJsonObject setParams(qint64 deviceId, const QString &workname, const QJsonObject &request);
    // Device id and (when asked for) workname of a request, checked; false with a reason.
    bool target(const QJsonObject &request, qint64 *deviceId, QString *workname, QString *reason) const;
    QStringList activeModules(qint64 deviceId) const;
    QJsonObject storedParams(qint64 deviceId, const QString &workname) const;
    QJsonObject module(const QString &workname) const;

    TableStore &m_store;
    QSqlDatabase m_db;
};

} // namespace Standin
