#include "controllers/AppController.h"

#include <QCoreApplication>
#include <QThread>

namespace LynClientController {

AppController::AppController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("app");
}

bool AppController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("saShutdownServer")) {
        emit saShutdownServer(mapParams);
        return true;
    }
    return false;
}

QJsonObject AppController::trShutdownServer(QJsonObject mapParams)
{
    return sendAndQuit(QStringLiteral("trShutdownServer"), mapParams);
}

QJsonObject AppController::trCloseConnection(QJsonObject mapParams)
{
    return sendAndQuit(QStringLiteral("trCloseConnection"), mapParams);
}

void AppController::makeExit()
{
    QCoreApplication::quit();
}

QJsonObject AppController::sendAndQuit(const QString &action, const QJsonObject &mapParams)
{
    const QJsonObject sent = sendAction(action, mapParams);
    // The link thread needs a moment to put the message on the wire before the loop ends.
    QThread::msleep(100);
    QCoreApplication::quit();
    return sent;
}

} // namespace LynClientController
