#pragma once

#include "controllers/models/ModelBase.h"

#include <QJsonObject>
#include <QSharedPointer>
#include <QString>

namespace LynClientController {

// Message building and per-instance identity shared by every server-link controller.
class ControllerBase
{
public:
    ControllerBase();
    virtual bool handleMessage(const QString &actionName, const QJsonObject &mapParams);
    virtual ~ControllerBase();

    QString objectNumber() const;
    QString controllerName() const;

protected:
    // Wraps mapParams in the envelope of this controller and sends it; returns the object as sent.
    // Raises when no server link is set.
    QJsonObject sendAction(const QString &action, const QJsonObject &mapParams) const;

    QSharedPointer<LYNCommon::ModelBase> m_modelBase;
    QJsonObject m_queryParams;
    QJsonObject m_queryData;
    QJsonObject m_queryHints;
    bool m_useTrQuery = false;
    QString m_objectNumber;
    QString m_controllerName;
};

} // namespace LynClientController
