#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include "nt_common/core/error/LocationTag.h"

LynClientNetworkFinalSimple::~LynClientNetworkFinalSimple()
{
    // Stopped here, before the parts its thread still uses are destroyed.
    quit();
    wait();
}

void LynClientNetworkFinalSimple::run()
{
    static const QString tag = NtCommon::LocationTag::make(
        QStringLiteral("..\\client\\threads\\clientNetwork\\LynClientNetworkFinal"),
        QStringLiteral("LynClientNetworkFinalSimple::run"));
    try {
        LynClientBase::LynClientNetwork::run();
        announceInited();
        exec();
    } catch (const std::exception &e) {
        NtCommon::LocationTag::reportToDebug(tag, e);
    }
    tearDown();
}
