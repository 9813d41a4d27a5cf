#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

struct sqlite3;

namespace Standin {

struct IssuedTokens
{
    std::string accessToken;
    std::string refreshToken;
    std::int64_t expiresAt = 0; // seconds since the epoch
};

struct Account
{
    std::string email;
    std::string authKey;
    IssuedTokens tokens;
};

// Accounts and their tokens in SQLite. Every call is safe from any thread.
class AccountStore
{
public:
    enum class Login { Ok, UnknownEmail, WrongPassword };

    explicit AccountStore(int tokenLifetimeSeconds);
    ~AccountStore();
    AccountStore(const AccountStore &) = delete;
    AccountStore &operator=(const AccountStore &) = delete;

    bool open(const std::string &path, std::string &error);
    bool isEmpty();

    // The password arrives as its SHA-1 digest, as the client sends it.
    std::optional<Account> addAccount(const std::string &email, const std::string &passwordDigest, const std::string &channelTitle);
    Login authenticate(const std::string &email, const std::string &passwordDigest, std::string &authKey);
    // The account's refresh token and a new access token.
    std::optional<IssuedTokens> tokensForKey(const std::string &authKey);
    std::optional<IssuedTokens> refresh(const std::string &refreshToken);

    // An authorization code for the first account, redeemable once.
    std::optional<std::string> newCode(std::string &email);
    std::optional<IssuedTokens> redeemCode(const std::string &code);

    // The channel of an access token that is known and not expired.
    std::optional<std::pair<std::string, std::string>> channelOf(const std::string &accessToken);

    // Expires one access token, or every one when the token is empty; returns how many.
    int expire(const std::string &accessToken);

private:
    bool exec(const char *sql);
    IssuedTokens issueAccess(std::int64_t accountId, const std::string &refreshToken);
    IssuedTokens issuePair(std::int64_t accountId);

    std::mutex m_mutex;
    sqlite3 *m_db = nullptr;
    int m_tokenLifetime;
    std::map<std::string, std::int64_t> m_codes;
};

} // namespace Standin
