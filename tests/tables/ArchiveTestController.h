#pragma once

#include "controllers/base/ControllerDesktopBase.h"

// A table controller the way the concrete ones are built: own or shared record
// model over the archive description, own proxy, listening to "archive".
class ArchiveTestController : public LynClientController::ControllerDesktopBase
{
    Q_OBJECT
public:
    explicit ArchiveTestController(LynClientController::OriginalModel *sharedModel = nullptr);

private:
    LynClientController::OriginalModel m_ownModel;
    LynClientController::ProxyModel m_proxy;
};

// Does what a screen does with a query answer: feeds the records of answers
// addressed to its controller into the record model.
class ScreenFeeder : public QObject
{
    Q_OBJECT
public:
    explicit ScreenFeeder(LynClientController::ControllerItemBase *controller);
};
