#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

namespace LynClientBase {

// Entry point of received server messages; lives on the link thread.
class HandleReceivedMessagesBase : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void handleMessage(QString ctl, QString action, QJsonObject mapParams) = 0;

public slots:
    void onMessageReceived(QJsonObject mapParams);

protected:
    QString ctl;
    QString action;
};

} // namespace LynClientBase
