#pragma once

#include "nt_common/core/dto/DTO.h"

#include <QObject>
#include <QString>

#include <memory>

namespace P2pClientBase {

// Entry point of P2P messages on the link thread: splits "FN" into receiver
// and action and hands the message on.
class HandleReceivedMessagesBase : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void handleMessage(QString receiver, QString action, std::shared_ptr<DTO> dto);

    // Messages reach controllers on other threads through Qt's event queues,
    // whose locks the thread sanitizer cannot see: the link thread releases
    // this before it hands a message on, and a controller acquires it before
    // it touches one (also one left undelivered when it goes).
    static void *handover();

public slots:
    void onMessageReceived(std::shared_ptr<DTO> mapParams);

protected:
    QString command;
    QString receiver;
    QString action;
};

} // namespace P2pClientBase
