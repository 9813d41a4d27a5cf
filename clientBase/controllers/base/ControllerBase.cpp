#include "controllers/base/ControllerBase.h"

#include "base/LynClientNetwork.h"
#include "base/MessageEnvelope.h"

namespace LynClientController {

ControllerBase::ControllerBase()
    : m_objectNumber(LynClientBase::MessageEnvelope::nextObjectNumber())
{
}

bool ControllerBase::handleMessage(const QString &, const QJsonObject &)
{
    return false;
}

ControllerBase::~ControllerBase() = default;

QString ControllerBase::objectNumber() const
{
    return m_objectNumber;
}

QString ControllerBase::controllerName() const
{
    return m_controllerName;
}

QJsonObject ControllerBase::sendAction(const QString &action, const QJsonObject &mapParams) const
{
    return LynClientBase::LynClientNetwork::send(m_controllerName, action, m_objectNumber, mapParams);
}

} // namespace LynClientController
