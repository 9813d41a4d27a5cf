#include "StandinTablesLink.h"

StandinTablesLink::~StandinTablesLink()
{
    close();
}

bool StandinTablesLink::open(const QString &tablesFile)
{
    close();
    m_server = std::make_unique<Standin::LocalServer>(m_serverLog);
    return m_server->openTables(tablesFile) && m_server->listen(QHostAddress::LocalHost, 0) && m_link.open(m_server->port());
}

void StandinTablesLink::close()
{
    m_link.close();
    m_server.reset();
}

quint16 StandinTablesLink::port() const
{
    return m_server ? m_server->port() : 0;
}
