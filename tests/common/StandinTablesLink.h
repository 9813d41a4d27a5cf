#pragma once

#include "ControllersLink.h"
#include "LocalServer.h"
#include "ServerLog.h"

#include <memory>

// The stand-in server in this process on a tables file of its own, with the
// controllers' link to it: each test case starts from the sample set.
class StandinTablesLink
{
public:
    ~StandinTablesLink();

    bool open(const QString &tablesFile);
    void close();
    quint16 port() const;

private:
    Standin::ServerLog m_serverLog;
    std::unique_ptr<Standin::LocalServer> m_server;
    ControllersLink m_link;
};
