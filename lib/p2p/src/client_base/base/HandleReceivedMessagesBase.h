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

public slots:
    void onMessageReceived(std::shared_ptr<DTO> mapParams);

protected:
    QString command;
    QString receiver;
    QString action;
};

} // namespace P2pClientBase
