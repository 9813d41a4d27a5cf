#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include "nt_common/core/error/LocationTag.h"

#include <spdlog/spdlog.h>

P2pMeetingClientNetworkSimpleFinal::P2pMeetingClientNetworkSimpleFinal()
{
    pingIntervalSec = 20;
    pongTimeoutSec = 18;
}

P2pMeetingClientNetworkSimpleFinal::~P2pMeetingClientNetworkSimpleFinal()
{
    // Stopped here, before the parts its thread still uses are destroyed.
    quit();
    wait();
}

void P2pMeetingClientNetworkSimpleFinal::run()
{
    static const QString tag = NtCommon::LocationTag::make(
        QStringLiteral("..\\client\\threads\\p2p\\P2pMeetingClientNetworkSimpleFinal"),
        QStringLiteral("P2pMeetingClientNetworkSimpleFinal::run"));
    try {
        P2pClientBase::ClientNetworkSimple::run();
        emit inited();
        exec();
    } catch (const std::exception &e) {
        if (auto logger = spdlog::get(loggerName))
            logger->warn(NtCommon::LocationTag::exceptionText(tag, e).toStdString());
    }
    tearDown();
}
