#include "CaughtLink.h"

#include <QJsonDocument>

CaughtLink::CaughtLink()
    : m_link(QSharedPointer<LynClientBase::LynClientNetwork>::create())
    , m_router(QSharedPointer<LynClientBase::HandleRecievedMessages>::create())
{
    m_link->setMessageHandler(m_router);
    connect(m_link.data(), &LynClientBase::LynClientNetwork::sendTextMessage, this,
            [this](const QString &text) { sent.append(QJsonDocument::fromJson(text.toUtf8()).object()); });
    LynClientBase::LynClientNetwork::setControllersLink(m_link);
}

CaughtLink::~CaughtLink()
{
    LynClientBase::LynClientNetwork::setControllersLink({});
}
