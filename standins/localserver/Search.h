#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace Standin {

class TableStore;

// Device search ("searchDevices"): "trSearch" walks the simulated network
// for a few seconds and reports each camera it finds, with working
// credentials in its source; "trTryGetRtspByIP" probes one address.
class Search : public QObject
{
    Q_OBJECT
public:
    explicit Search(TableStore &store, QObject *parent = nullptr);

    bool handles(const QString &action) const;
    // The answer's payload; further answers follow through toClient.
    QJsonObject handle(QObject *client, const QString &action, const QJsonObject &request);

signals:
    void toClient(QObject *client, const QJsonObject &message);
    void recordChanged(const QString &table, const QString &notification, qint64 rowId);

private:
    QJsonObject start(QObject *client, const QJsonObject &request);
    QJsonObject stop();
    QJsonObject probe(const QJsonObject &request);
    void step();
    QJsonObject progress(const QString &state, const QJsonArray &records) const;
    bool isKnownDevice(const QString &ip) const;

    TableStore &m_store;
    QTimer m_timer;
    QPointer<QObject> m_client;
    QJsonObject m_request;
    QJsonArray m_found;
    int m_next = 0;
};

} // namespace Standin
