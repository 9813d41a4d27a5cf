// Datagrams from the address resolver: only a well-formed address is taken,
// and what is logged of the rest stays one bounded line.
#include "FuzzSupport.h"
#include "client_base/other/peer/ResolverAnswer.h"
#include "nt_common/core/log/LogText.h"

#include <QHostAddress>
#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = FuzzSupport::bytes(data, size);
    const ResolverAnswer answer = ResolverAnswer::read(datagram);
    switch (answer.kind) {
    case ResolverAnswer::Kind::NotJson:
    case ResolverAnswer::Kind::NotObject:
        FuzzSupport::checkLogLine(NtCommon::LogText::untrusted(datagram));
        break;
    case ResolverAnswer::Kind::GlobalAddress:
        if (QHostAddress(answer.globalIp).isNull() || answer.object.value(QStringLiteral("globalPort")).toDouble() != answer.globalPort)
            FuzzSupport::fail("an invalid address was accepted");
        Q_FALLTHROUGH();
    case ResolverAnswer::Kind::OtherFunction:
    case ResolverAnswer::Kind::BadAddress:
        FuzzSupport::checkLogLine(NtCommon::LogText::message(QJsonDocument(answer.object).toJson(QJsonDocument::Compact)));
        break;
    }
    return 0;
}
