#include "Modules.h"

#include "TableStore.h"

#include <QJsonDocument>
#include <QtNumeric>
#include <QSqlError>
#include <QSqlQuery>

namespace Standin {

const QString Modules::objectDetection = QStringLiteral("cvObjectDetection");

namespace {
QJsonObject failure(const QString &message)
{
    return {{"status", "ERROR"}, {"errorMessage", message}};
}

QString text(const QJsonValue &value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

QJsonValue parsed(const QString &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

// A region of the picture as fractions of its size: inside the picture and not empty.
bool isRegion(const QJsonValue &value)
{
    const QJsonObject region = value.toObject();
    if (!value.isObject() || region.size() != 4)
        return false;
    for (const char *key : {"x", "y", "width", "height"}) {
        const QJsonValue part = region.value(QLatin1String(key));
        if (!part.isDouble() || !qIsFinite(part.toDouble()) || part.toDouble() < 0 || part.toDouble() > 1)
            return false;
    }
    constexpr double slack = 1e-9;
    return region.value("width").toDouble() > 0 && region.value("height").toDouble() > 0
        && region.value("x").toDouble() + region.value("width").toDouble() <= 1 + slack
        && region.value("y").toDouble() + region.value("height").toDouble() <= 1 + slack;
}

struct ModuleDefinition
{
    const char *name;
    const char *workname;
    const char *type;
    QJsonArray explicitDependence;
    QJsonArray implicitDependence;
    QJsonObject params;
};

// The nine detectors an installation offers.
QList<ModuleDefinition> definitions()
{
    return {
        {"Motion detection", "cvMotionDetection", "motionDetection", {}, {},
         {{"sensitivity", 50}, {"minArea", 2}, {"recordEvents", true}}},
        {"Object detection", "cvObjectDetection", "objectDetection", {}, {},
         {{"threshold", 50}, {"classes", "person,car,dog,cat"}, {"everyNthFrame", 5},
          {"region", QJsonObject{{"x", 0.0}, {"y", 0.0}, {"width", 1.0}, {"height", 1.0}}}}},
        {"Face detection", "cvFaceDetection", "faceDetection", {}, {}, {{"minFaceSize", 40}, {"threshold", 60}}},
        {"Face recognition", "cvFaceRecognition", "faceRecognition", {"cvFaceDetection"}, {},
         {{"threshold", 70}, {"notifyUnknown", true}}},
        {"Fire, flame and smoke detection", "dummyFireFlameAndSmokeDetection", "fireDetection", {}, {},
         {{"sensitivity", 60}}},
        {"License plate recognition", "cvPLicplate", "licensePlateRecognition", {}, {"cvMotionDetection"},
         {{"region", "EU"}, {"threshold", 75}}},
        {"People counter", "dummyPeopleCounter", "peopleCounter", {"cvObjectDetection"}, {},
         {{"lineY", 50}, {"direction", "both"}}},
        {"Queue length", "dummyQueueLength", "queueLength", {"cvObjectDetection"}, {},
         {{"maxQueue", 5}, {"zone", "0,0,100,100"}}},
        {"Detection of abandoned objects", "dummyDetectionOfAbandonedObjects", "abandonedObjects", {},
         {"cvMotionDetection"}, {{"secondsStill", 30}, {"minArea", 1}}},
    };
}
} // namespace

Modules::Modules(TableStore &store)
    : m_store(store)
    , m_db(store.database())
{
}

bool Modules::prepare(QString *error)
{
    QSqlQuery query(m_db);
    const QStringList statements{
        "CREATE TABLE IF NOT EXISTS \"module\" (\"workname\" TEXT PRIMARY KEY, \"name\" TEXT, \"type\" TEXT, "
        "\"version\" TEXT, \"explicitDependence\" TEXT, \"implicitDependence\" TEXT, \"params\" TEXT, \"position\" INTEGER)",
        "CREATE TABLE IF NOT EXISTS \"activeModule\" (\"rstIDDevice\" INTEGER, \"workname\" TEXT, "
        "PRIMARY KEY (\"rstIDDevice\", \"workname\"))",
        "CREATE TABLE IF NOT EXISTS \"moduleParams\" (\"rstIDDevice\" INTEGER, \"workname\" TEXT, \"params\" TEXT, "
        "PRIMARY KEY (\"rstIDDevice\", \"workname\"))",
    };
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            *error = query.lastError().text();
            return false;
        }
    }
    int position = 0;
    for (const ModuleDefinition &definition : definitions()) {
        query.prepare("INSERT OR IGNORE INTO \"module\" VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (const QVariant &value : QVariantList{definition.workname, definition.name, definition.type, "1.0.0",
                                                  text(definition.explicitDependence),
                                                  text(definition.implicitDependence), text(definition.params),
                                                  position++})
            query.addBindValue(value);
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

QJsonObject Modules::handle(const QString &action, const QJsonObject &request)
{
    if (action == QLatin1String("trModuleList"))
        return moduleList();
    const QStringList perModule{"trModuleOn", "trModuleOff", "trGetParams", "trSetParams"};
    if (action != QLatin1String("trActiveModuleList") && !perModule.contains(action))
        return failure(QStringLiteral("Unknown action '%1' for controller 'moduleSystem'").arg(action.left(64)));
    qint64 deviceId = 0;
    QString workname;
    QString reason;
    if (!target(request, &deviceId, perModule.contains(action) ? &workname : nullptr, &reason))
        return failure(reason);
    if (action == QLatin1String("trActiveModuleList"))
        return {{"status", "OK"}, {"rstIDDevice", deviceId}, {"active_module_list", QJsonArray::fromStringList(activeModules(deviceId))}};
    if (action == QLatin1String("trModuleOn") || action == QLatin1String("trModuleOff"))
        return switchModule(deviceId, workname, action == QLatin1String("trModuleOn"));
    if (action == QLatin1String("trGetParams"))
        return {{"status", "OK"}, {"rstIDDevice", deviceId}, {"workname", workname}, {"params", storedParams(deviceId, workname)}};
    return setParams(deviceId, workname, request);
}

QJsonObject Modules::moduleList() const
{
    QJsonArray list;
    QSqlQuery query(m_db);
    query.exec("SELECT \"workname\" FROM \"module\" ORDER BY \"position\"");
    while (query.next())
        list.append(module(query.value(0).toString()));
    return {{"status", "OK"}, {"list", list}};
}

QJsonObject Modules::module(const QString &workname) const
{
    QSqlQuery query(m_db);
    query.prepare("SELECT \"name\", \"type\", \"version\", \"explicitDependence\", \"implicitDependence\", \"params\" "
                  "FROM \"module\" WHERE \"workname\" = ?");
    query.addBindValue(workname);
    if (!query.exec() || !query.next())
        return {};
    return {{"name", query.value(0).toString()},       {"workname", workname},
            {"type", query.value(1).toString()},       {"version", query.value(2).toString()},
            {"explicitDependence", parsed(query.value(3).toString())},
            {"implicitDependence", parsed(query.value(4).toString())},
            {"params", parsed(query.value(5).toString())}};
}

bool Modules::target(const QJsonObject &request, qint64 *deviceId, QString *workname, QString *reason) const
{
    const QJsonValue device = request.value("rstIDDevice");
    if (!device.isDouble() || device.toDouble() != double(qint64(device.toDouble()))) {
        *reason = QStringLiteral("'rstIDDevice' must be a whole number");
        return false;
    }
    *deviceId = qint64(device.toDouble());
    QJsonObject record;
    if (!m_store.find(QStringLiteral("cam"), *deviceId, &record)) {
        *reason = QStringLiteral("Device %1 does not exist").arg(*deviceId);
        return false;
    }
    if (!workname)
        return true;
    *workname = request.value("workname").toString();
    if (module(*workname).isEmpty()) {
        *reason = QStringLiteral("Unknown module '%1'").arg(workname->left(64));
        return false;
    }
    return true;
}

QStringList Modules::activeModules(qint64 deviceId) const
{
    QStringList active;
    QSqlQuery query(m_db);
    query.prepare("SELECT a.\"workname\" FROM \"activeModule\" a JOIN \"module\" m ON m.\"workname\" = a.\"workname\" "
                  "WHERE a.\"rstIDDevice\" = ? ORDER BY m.\"position\"");
    query.addBindValue(deviceId);
    query.exec();
    while (query.next())
        active.append(query.value(0).toString());
    return active;
}

bool Modules::isActive(qint64 deviceId, const QString &workname) const
{
    return activeModules(deviceId).contains(workname);
}

QJsonObject Modules::switchModule(qint64 deviceId, const QString &workname, bool on)
{
    // A module switched on brings the modules it explicitly needs with it.
    QStringList affected{workname};
    if (on) {
        for (const QJsonValue &dependency : module(workname).value("explicitDependence").toArray())
            affected.append(dependency.toString());
    }
    QSqlQuery query(m_db);
    for (const QString &name : qAsConst(affected)) {
        query.prepare(on ? "INSERT OR IGNORE INTO \"activeModule\" VALUES (?, ?)"
                         : "DELETE FROM \"activeModule\" WHERE \"rstIDDevice\" = ? AND \"workname\" = ?");
        query.addBindValue(deviceId);
        query.addBindValue(name);
        if (!query.exec())
            return failure(query.lastError().text());
    }
    return {{"status", "OK"}, {"rstIDDevice", deviceId}, {"workname", workname},
            {"active_module_list", QJsonArray::fromStringList(activeModules(deviceId))}};
}

QJsonObject Modules::storedParams(qint64 deviceId, const QString &workname) const
{
    QJsonObject params = module(workname).value("params").toObject();
    QSqlQuery query(m_db);
    query.prepare("SELECT \"params\" FROM \"moduleParams\" WHERE \"rstIDDevice\" = ? AND \"workname\" = ?");
    query.addBindValue(deviceId);
    query.addBindValue(workname);
    if (query.exec() && query.next()) {
        const QJsonObject stored = parsed(query.value(0).toString()).toObject();
        for (auto it = stored.begin(); it != stored.end(); ++it)
            params.insert(it.key(), it.value());
    }
    return params;
}

QJsonObject Modules::setParams(qint64 deviceId, const QString &workname, const QJsonObject &request)
{
    if (!request.value("params").isObject())
        return failure(QStringLiteral("'params' must be an object"));
    // Only the module's own parameters, each of the kind of its default.
    const QJsonObject defaults = module(workname).value("params").toObject();
    const QJsonObject update = request.value("params").toObject();
    QJsonObject params = storedParams(deviceId, workname);
    for (auto it = update.begin(); it != update.end(); ++it) {
        if (!defaults.contains(it.key()))
            return failure(QStringLiteral("Module '%1' has no parameter '%2'").arg(workname, it.key().left(64)));
        const QJsonValue current = defaults.value(it.key());
        const bool fits = current.isString() ? it.value().isString() && it.value().toString().size() <= 1024
                        : current.isBool()   ? it.value().isBool()
                        : current.isObject() ? isRegion(it.value())
                                             : it.value().isDouble() && qAbs(it.value().toDouble()) < 1e9;
        if (!fits)
            return failure(QStringLiteral("Parameter '%1' has a value of the wrong type").arg(it.key()));
        params.insert(it.key(), it.value());
    }
    QSqlQuery query(m_db);
    query.prepare("INSERT OR REPLACE INTO \"moduleParams\" VALUES (?, ?, ?)");
    query.addBindValue(deviceId);
    query.addBindValue(workname);
    query.addBindValue(text(params));
    if (!query.exec())
        return failure(query.lastError().text());
    return {{"status", "OK"}, {"rstIDDevice", deviceId}, {"workname", workname}, {"params", params}};
}

} // namespace Standin
