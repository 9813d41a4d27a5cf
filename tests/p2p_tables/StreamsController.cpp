#include "StreamsController.h"

#include "StreamsModel.h"

StreamsController::StreamsController(bool isStatic)
{
    m_controllerName = QStringLiteral("peersManager");
    m_isStaticModel = isStatic;
    setupModels(QSharedPointer<StreamsModel>::create());
    subscribe(&HandleReceivedMessagesP2pClient::peersManagerMessage);
}
