#pragma once

#include "AccountStore.h"
#include "ControlState.h"

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace Standin {

// Stand-in for the account service, the OAuth token endpoint and authorization
// page, and the channel list of the video platform, all on one HTTP port.
// "/_control/..." lets tests count requests, expire tokens, replace answers and stall.
class WebStandin
{
public:
    using LogFunction = std::function<void(const std::string &)>;

    WebStandin(AccountStore &accounts, LogFunction log);

    // Returns the bound port (a free one for port 0), or -1.
    int bind(const std::string &host, int port);
    // Serves until stop(); returns false when serving failed.
    bool serve();
    void stop();

private:
    void routeService();
    void routeControl();
    // Records a service request, stalls it when asked; true when a canned answer was given.
    bool intercept(const httplib::Request &request, httplib::Response &response);
    void waitUnlessStopping(int milliseconds);

    void authenticate(const httplib::Request &request, httplib::Response &response);
    void getTokens(const httplib::Request &request, httplib::Response &response);
    void token(const httplib::Request &request, httplib::Response &response);
    void channels(const httplib::Request &request, httplib::Response &response);
    void authorizationPage(const httplib::Request &request, httplib::Response &response);

    AccountStore &m_accounts;
    LogFunction m_log;
    ControlState m_control;
    httplib::Server m_server;
    std::mutex m_stopMutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
};

} // namespace Standin
