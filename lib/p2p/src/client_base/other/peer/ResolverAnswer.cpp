#include "client_base/other/peer/ResolverAnswer.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <cmath>

ResolverAnswer ResolverAnswer::read(const QByteArray &datagram)
{
    ResolverAnswer answer;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(datagram, &error);
    if (error.error != QJsonParseError::NoError) {
        answer.parseError = error.errorString();
        return answer;
    }
    if (!document.isObject()) {
        answer.kind = Kind::NotObject;
        return answer;
    }
    answer.object = document.object();
    if (answer.object.value(QStringLiteral("fn")).toString() != QStringLiteral("saPeerInfo")) {
        answer.kind = Kind::OtherFunction;
        return answer;
    }
    const QJsonValue ip = answer.object.value(QStringLiteral("globalIp"));
    const QJsonValue port = answer.object.value(QStringLiteral("globalPort"));
    const double portNumber = port.toDouble(-1);
    if (!ip.isString() || QHostAddress(ip.toString()).isNull() || !port.isDouble() || portNumber < 0
        || portNumber > 65535 || std::floor(portNumber) != portNumber) {
        answer.kind = Kind::BadAddress;
        return answer;
    }
    answer.kind = Kind::GlobalAddress;
    answer.globalIp = ip.toString();
    answer.globalPort = static_cast<quint16>(portNumber);
    return answer;
}
