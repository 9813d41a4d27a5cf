#pragma once

#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"

#include <QJsonObject>
#include <QList>
#include <QSharedPointer>

// The controllers' link, never started: every send is caught here and every
// answer is handed to the router as if the link had received it. Installed
// while it exists.
class CaughtLink : public QObject
{
    Q_OBJECT
public:
    CaughtLink();
    ~CaughtLink() override;

    LynClientBase::HandleRecievedMessages *router() const { return m_router.data(); }

    QList<QJsonObject> sent;

private:
    QSharedPointer<LynClientBase::LynClientNetwork> m_link;
    QSharedPointer<LynClientBase::HandleRecievedMessages> m_router;
};
