#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// One datagram from the address resolver, read without trusting it: only a
// "saPeerInfo" object with a parseable "globalIp" and a whole "globalPort" in
// 0..65535 counts as an address.
class ResolverAnswer
{
public:
    enum class Kind { NotJson, NotObject, OtherFunction, BadAddress, GlobalAddress };

    static ResolverAnswer read(const QByteArray &datagram);

    Kind kind = Kind::NotJson;
    QString parseError;    // for NotJson
    QJsonObject object;    // from OtherFunction on
    QString globalIp;      // for GlobalAddress
    quint16 globalPort = 0;
};
