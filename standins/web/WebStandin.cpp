#include "WebStandin.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>

namespace Standin {

namespace {

const char kJson[] = "application/json; charset=utf-8";
const int kMaxStallMs = 60000;

void sendJson(httplib::Response &response, const QJsonObject &object, int status = 200)
{
    response.status = status;
    response.set_content(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(), kJson);
}

QJsonObject fieldError(const char *field, const QString &text)
{
    return QJsonObject{{QString::fromLatin1(field), QJsonArray{text}}};
}

QJsonObject failure(const QJsonObject &message)
{
    return QJsonObject{{QStringLiteral("status"), false}, {QStringLiteral("message"), message}};
}

QJsonObject jsonBody(const httplib::Request &request)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(request.body)).object();
}

QString member(const QJsonObject &object, const char *key)
{
    return object.value(QString::fromLatin1(key)).toString();
}

std::string formValue(const httplib::Params &form, const char *key)
{
    const auto found = form.find(key);
    return found == form.end() ? std::string() : found->second;
}

QJsonObject oauthError(const char *error, const char *description)
{
    return QJsonObject{{QStringLiteral("error"), QString::fromLatin1(error)},
                       {QStringLiteral("error_description"), QString::fromLatin1(description)}};
}

QJsonObject tokenAnswer(const IssuedTokens &tokens, std::int64_t now, bool withRefresh)
{
    QJsonObject answer{
        {QStringLiteral("access_token"), QString::fromStdString(tokens.accessToken)},
        {QStringLiteral("expires_in"), qint64(tokens.expiresAt - now)},
        {QStringLiteral("scope"), QStringLiteral("youtube.upload youtube.readonly")},
        {QStringLiteral("token_type"), QStringLiteral("Bearer")},
    };
    if (withRefresh)
        answer.insert(QStringLiteral("refresh_token"), QString::fromStdString(tokens.refreshToken));
    return answer;
}

std::string htmlEscaped(const std::string &text)
{
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

} // namespace

WebStandin::WebStandin(AccountStore &accounts, LogFunction log)
    : m_accounts(accounts)
    , m_log(std::move(log))
{
    m_server.set_payload_max_length(1 << 20);
    // Queries may carry tokens: the log names the path only.
    m_server.set_logger([this](const httplib::Request &request, const httplib::Response &response) {
        m_log(request.method + " " + request.path + " " + std::to_string(response.status));
    });
    routeService();
    routeControl();
}

int WebStandin::bind(const std::string &host, int port)
{
    if (port == 0)
        return m_server.bind_to_any_port(host);
    return m_server.bind_to_port(host, port) ? port : -1;
}

bool WebStandin::serve()
{
    return m_server.listen_after_bind();
}

void WebStandin::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
    m_server.stop();
}

void WebStandin::waitUnlessStopping(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_stopMutex);
    m_stopped.wait_for(lock, std::chrono::milliseconds(std::min(milliseconds, kMaxStallMs)), [this] { return m_stopping; });
}

bool WebStandin::intercept(const httplib::Request &request, httplib::Response &response)
{
    QJsonObject headers;
    for (const auto &header : request.headers)
        headers.insert(QString::fromStdString(header.first), QString::fromStdString(header.second));
    m_control.record(request.method, request.path, request.target, headers, request.body);
    if (const int stall = m_control.stallFor(request.path))
        waitUnlessStopping(stall);
    if (const auto canned = m_control.answerFor(request.path)) {
        response.status = canned->status;
        response.set_content(canned->body, canned->contentType.c_str());
        return true;
    }
    return false;
}

void WebStandin::routeService()
{
    using Method = void (WebStandin::*)(const httplib::Request &, httplib::Response &);
    // Handlers see the whole request, body included: it is recorded, then possibly stalled or replaced.
    const auto handler = [this](Method method) {
        return httplib::Server::Handler([this, method](const httplib::Request &request, httplib::Response &response) {
            if (!intercept(request, response))
                (this->*method)(request, response);
        });
    };
    m_server.Post("/user/authentication", handler(&WebStandin::authenticate));
    m_server.Post("/user/gettokens", handler(&WebStandin::getTokens));
    m_server.Post("/token", handler(&WebStandin::token));
    m_server.Get("/channels", handler(&WebStandin::channels));
    m_server.Get("/auth", handler(&WebStandin::authorizationPage));
}

void WebStandin::routeControl()
{
    m_server.Get("/_control/counts", [this](const httplib::Request &, httplib::Response &response) {
        sendJson(response, QJsonObject{{QStringLiteral("counts"), m_control.counts()}});
    });
    m_server.Get("/_control/received", [this](const httplib::Request &, httplib::Response &response) {
        sendJson(response, QJsonObject{{QStringLiteral("requests"), m_control.received()}});
    });
    m_server.Post("/_control/reset", [this](const httplib::Request &, httplib::Response &response) {
        m_control.reset();
        sendJson(response, QJsonObject{{QStringLiteral("status"), true}});
    });
    // The request's body becomes the answer of "path", with "status" and "type".
    m_server.Post("/_control/answer", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string path = request.get_param_value("path");
        if (request.has_param("clear")) {
            m_control.clearAnswer(path);
        } else {
            CannedAnswer answer;
            answer.status = request.has_param("status") ? std::atoi(request.get_param_value("status").c_str()) : 200;
            answer.contentType = request.has_param("type") ? request.get_param_value("type") : std::string(kJson);
            answer.body = request.body;
            m_control.setAnswer(path, answer);
        }
        sendJson(response, QJsonObject{{QStringLiteral("status"), true}});
    });
    m_server.Post("/_control/stall", [this](const httplib::Request &request, httplib::Response &response) {
        m_control.setStall(request.get_param_value("path"), std::atoi(request.get_param_value("ms").c_str()));
        sendJson(response, QJsonObject{{QStringLiteral("status"), true}});
    });
    m_server.Post("/_control/expire", [this](const httplib::Request &request, httplib::Response &response) {
        sendJson(response, QJsonObject{{QStringLiteral("expired"), m_accounts.expire(request.get_param_value("access_token"))}});
    });
    // {"email", "password_sha1", "channel_title"}: a new account with a token pair.
    m_server.Post("/_control/account", [this](const httplib::Request &request, httplib::Response &response) {
        const QJsonObject body = jsonBody(request);
        const auto account = m_accounts.addAccount(member(body, "email").toStdString(), member(body, "password_sha1").toStdString(),
                                                   member(body, "channel_title").toStdString());
        if (!account) {
            sendJson(response, QJsonObject{{QStringLiteral("status"), false}}, 409);
            return;
        }
        sendJson(response, QJsonObject{
                               {QStringLiteral("status"), true},
                               {QStringLiteral("auth_key"), QString::fromStdString(account->authKey)},
                               {QStringLiteral("access_token"), QString::fromStdString(account->tokens.accessToken)},
                               {QStringLiteral("refresh_token"), QString::fromStdString(account->tokens.refreshToken)},
                           });
    });
}

void WebStandin::authenticate(const httplib::Request &request, httplib::Response &response)
{
    const QJsonObject body = jsonBody(request);
    const QString email = member(body, "email");
    const QString digest = member(body, "password");
    QJsonObject message;
    if (!email.contains(QLatin1Char('@')))
        message.insert(QStringLiteral("email"), QJsonArray{QStringLiteral("The email must be a valid email address.")});
    static const QRegularExpression sha1(QStringLiteral("^[0-9a-f]{40}$"));
    if (!sha1.match(digest).hasMatch())
        message.insert(QStringLiteral("password"), QJsonArray{QStringLiteral("The password must be a SHA-1 digest.")});
    if (!message.isEmpty()) {
        sendJson(response, failure(message));
        return;
    }
    std::string authKey;
    switch (m_accounts.authenticate(email.toStdString(), digest.toStdString(), authKey)) {
    case AccountStore::Login::UnknownEmail:
        sendJson(response, failure(fieldError("email", QStringLiteral("No account uses this email."))));
        return;
    case AccountStore::Login::WrongPassword:
        sendJson(response, failure(fieldError("password", QStringLiteral("The password is incorrect."))));
        return;
    case AccountStore::Login::Ok:
        sendJson(response, QJsonObject{{QStringLiteral("status"), true}, {QStringLiteral("auth_key"), QString::fromStdString(authKey)}});
        return;
    }
}

void WebStandin::getTokens(const httplib::Request &request, httplib::Response &response)
{
    const auto tokens = m_accounts.tokensForKey(member(jsonBody(request), "auth_key").toStdString());
    if (!tokens) {
        sendJson(response, failure(fieldError("auth_key", QStringLiteral("Unknown authentication key."))));
        return;
    }
    sendJson(response, QJsonObject{
                           {QStringLiteral("status"), true},
                           {QStringLiteral("access_token"), QString::fromStdString(tokens->accessToken)},
                           {QStringLiteral("refresh_token"), QString::fromStdString(tokens->refreshToken)},
                           {QStringLiteral("utc_expired_date"),
                            QDateTime::fromSecsSinceEpoch(tokens->expiresAt, Qt::UTC).toString(Qt::ISODate)},
                       });
}

void WebStandin::token(const httplib::Request &request, httplib::Response &response)
{
    httplib::Params form;
    httplib::detail::parse_query_text(request.body, form);
    if (formValue(form, "client_id").empty() || formValue(form, "client_secret").empty()) {
        sendJson(response, oauthError("invalid_client", "The OAuth client was not found."), 401);
        return;
    }
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    const std::string grant = formValue(form, "grant_type");
    std::optional<IssuedTokens> tokens;
    if (grant == "refresh_token")
        tokens = m_accounts.refresh(formValue(form, "refresh_token"));
    else if (grant == "authorization_code")
        tokens = m_accounts.redeemCode(formValue(form, "code"));
    else {
        sendJson(response, oauthError("unsupported_grant_type", "Invalid grant_type."), 400);
        return;
    }
    if (!tokens) {
        sendJson(response, oauthError("invalid_grant", "Token has been expired or revoked."), 400);
        return;
    }
    sendJson(response, tokenAnswer(*tokens, now, grant == "authorization_code"));
}

void WebStandin::channels(const httplib::Request &request, httplib::Response &response)
{
    const auto channel = m_accounts.channelOf(request.get_param_value("access_token"));
    if (!channel) {
        const QJsonObject error{
            {QStringLiteral("code"), 401},
            {QStringLiteral("message"), QStringLiteral("Request had invalid authentication credentials.")},
            {QStringLiteral("status"), QStringLiteral("UNAUTHENTICATED")},
        };
        sendJson(response, QJsonObject{{QStringLiteral("error"), error}}, 401);
        return;
    }
    QJsonObject item{{QStringLiteral("kind"), QStringLiteral("youtube#channel")}, {QStringLiteral("id"), QString::fromStdString(channel->first)}};
    if (request.get_param_value("part").find("snippet") != std::string::npos)
        item.insert(QStringLiteral("snippet"), QJsonObject{{QStringLiteral("title"), QString::fromStdString(channel->second)}});
    sendJson(response, QJsonObject{
                           {QStringLiteral("kind"), QStringLiteral("youtube#channelListResponse")},
                           {QStringLiteral("pageInfo"), QJsonObject{{QStringLiteral("totalResults"), 1}, {QStringLiteral("resultsPerPage"), 5}}},
                           {QStringLiteral("items"), QJsonArray{item}},
                       });
}

void WebStandin::authorizationPage(const httplib::Request &request, httplib::Response &response)
{
    if (!request.has_param("client_id") || request.get_param_value("response_type") != "code") {
        response.status = 400;
        response.set_content("<!DOCTYPE html><html><head><title>Error 400</title></head><body>invalid_request</body></html>",
                             "text/html; charset=utf-8");
        return;
    }
    std::string email;
    const auto code = m_accounts.newCode(email);
    if (!code) {
        response.status = 503;
        response.set_content("<!DOCTYPE html><html><head><title>No account</title></head><body>No account to sign in with.</body></html>",
                             "text/html; charset=utf-8");
        return;
    }
    // The client's sign-in frame watches the title for "Success".
    response.set_content("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Sign in</title></head><body>"
                         "<p>Allow the application to manage the videos of <b>"
                             + htmlEscaped(email)
                             + "</b>?</p><button id=\"allow\" style=\"font-size:24px\" onclick=\"document.title='Success code="
                             + *code + "'\">Allow</button></body></html>",
                         "text/html; charset=utf-8");
}

} // namespace Standin
