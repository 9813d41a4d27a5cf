#pragma once

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

// Recorded server messages, with "@name" placeholders replaced by the values
// only known at run time (receiver numbers, stream keys).
QList<QJsonObject> loadFixture(const QString &name, const QMap<QString, QString> &values);
