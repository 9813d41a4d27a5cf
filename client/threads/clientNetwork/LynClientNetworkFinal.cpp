#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/thread/ThreadHandover.h"

LynClientNetworkFinalSimple::~LynClientNetworkFinalSimple()
{
    // The thread's last writes (tearDown) are over once it has finished.
    quit();
    wait();
    NtCommon::ThreadHandover::acquire(this);
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
