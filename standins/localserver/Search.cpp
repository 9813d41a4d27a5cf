#include "Search.h"

#include "CameraNetwork.h"
#include "LocalServer.h"
#include "TableStore.h"

#include <QUrl>

namespace Standin {

namespace {
const QString kTable = QStringLiteral("searchDevices");
constexpr int kStepMs = 600; // one address answers per step
constexpr int kStateFound = 1;
} // namespace

Search::Search(TableStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    connect(&m_timer, &QTimer::timeout, this, &Search::step);
}

bool Search::handles(const QString &action) const
{
    return action == QLatin1String("trSearch") || action == QLatin1String("trTryGetRtspByIP");
}

QJsonObject Search::handle(QObject *client, const QString &action, const QJsonObject &request)
{
    if (action == QLatin1String("trTryGetRtspByIP"))
        return probe(request);
    if (request.value("stop").toBool())
        return stop();
    return start(client, request);
}

QJsonObject Search::start(QObject *client, const QJsonObject &request)
{
    // A new search starts over: the results of the last one are dropped.
    for (const QJsonObject &record : m_store.all(kTable))
        m_store.remove(kTable, record.value("rowID").toVariant().toLongLong());
    m_client = client;
    m_request = LocalServer::answerTo(request, {});
    m_found = {};
    m_next = 0;
    m_timer.start(kStepMs);
    return progress(QStringLiteral("SEARCHING"), {});
}

QJsonObject Search::stop()
{
    const bool wasRunning = m_timer.isActive();
    m_timer.stop();
    return progress(wasRunning ? QStringLiteral("STOPED") : QStringLiteral("SEARCHED"), m_found);
}

QJsonObject Search::progress(const QString &state, const QJsonArray &records) const
{
    int total = 0;
    for (const CameraNetwork::Camera &camera : CameraNetwork::cameras())
        total += camera.camType == 2 ? 1 : 0;
    const int percent = state == QLatin1String("SEARCHING") ? 100 * m_next / qMax(1, total) : 100;
    return {{"status", "OK"}, {"state", state}, {"progress", percent}, {"records", records}};
}

bool Search::isKnownDevice(const QString &ip) const
{
    for (const QJsonObject &device : m_store.all(QStringLiteral("cam"))) {
        if (QUrl(device.value("source").toString()).host() == ip)
            return true;
    }
    return false;
}

void Search::step()
{
    QList<const CameraNetwork::Camera *> ipCameras;
    for (const CameraNetwork::Camera &camera : CameraNetwork::cameras()) {
        if (camera.camType == 2)
            ipCameras.append(&camera);
    }
    if (m_next >= ipCameras.size()) {
        m_timer.stop();
        if (m_client)
            emit toClient(m_client, LocalServer::answerTo(m_request, progress(QStringLiteral("SEARCHED"), m_found)));
        return;
    }
    const CameraNetwork::Camera &camera = *ipCameras.at(m_next++);
    const QJsonObject values{{"deviceName", camera.name}, {"camType", 2}, {"source", camera.source()},
                             {"realSource", camera.source()}, {"state", kStateFound},
                             {"isNew", !isKnownDevice(camera.ip)}};
    const qint64 rowId = m_store.insert(kTable, values);
    QJsonObject record;
    if (rowId < 0 || !m_store.find(kTable, rowId, &record))
        return;
    m_found.append(record);
    emit recordChanged(kTable, QStringLiteral("srInserted"), rowId);
    if (m_client)
        emit toClient(m_client, LocalServer::answerTo(m_request, progress(QStringLiteral("SEARCHING"), {record})));
}

QJsonObject Search::probe(const QJsonObject &request)
{
    const QJsonValue ip = request.value("ip");
    if (!ip.isString() || ip.toString().size() > 64)
        return {{"status", "ERROR"}, {"errorMessage", "'ip' must be an address"}};
    const CameraNetwork::Camera *camera = CameraNetwork::atAddress(ip.toString());
    if (!camera)
        return {{"status", "ERROR"}, {"errorMessage", QStringLiteral("No camera answers at %1").arg(ip.toString())}};
    const QJsonObject record{{"deviceName", camera->name}, {"camType", 2}, {"source", camera->source()},
                             {"realSource", camera->source()}, {"state", kStateFound}, {"isNew", !isKnownDevice(camera->ip)}};
    return {{"status", "OK"}, {"ip", camera->ip}, {"source", camera->source()}, {"record", record}};
}

} // namespace Standin
