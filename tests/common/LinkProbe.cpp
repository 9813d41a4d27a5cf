#include "LinkProbe.h"

LinkProbe::LinkProbe(LynClientBase::LynClientNetworkBase *link)
{
    using Link = LynClientBase::LynClientNetworkBase;
    connect(link, &Link::connectionState, this, &LinkProbe::connectionState, Qt::QueuedConnection);
    connect(link, &Link::amountConnectedChanged, this, &LinkProbe::amountConnectedChanged, Qt::QueuedConnection);
    connect(link, &Link::connectionClosed, this, &LinkProbe::connectionClosed, Qt::QueuedConnection);
    connect(link, &Link::inited, this, &LinkProbe::inited, Qt::QueuedConnection);
}
