#include "AccountStore.h"

#include <QRandomGenerator>

#include <sqlite3.h>

#include <chrono>

namespace Standin {

namespace {

std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::string randomHex(int bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        const quint32 value = QRandomGenerator::system()->bounded(256);
        text += digits[value >> 4];
        text += digits[value & 15];
    }
    return text;
}

// One prepared statement, finalized on scope exit.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(const std::string &text)
    {
        sqlite3_bind_text(m_stmt, ++m_index, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement &bind(std::int64_t number)
    {
        sqlite3_bind_int64(m_stmt, ++m_index, number);
        return *this;
    }
    bool step() { return m_stmt && sqlite3_step(m_stmt) == SQLITE_ROW; }
    bool run() { return m_stmt && sqlite3_step(m_stmt) == SQLITE_DONE; }
    std::string text(int column) const
    {
        const unsigned char *value = sqlite3_column_text(m_stmt, column);
        return value ? reinterpret_cast<const char *>(value) : std::string();
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(m_stmt, column); }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_index = 0;
};

} // namespace

AccountStore::AccountStore(int tokenLifetimeSeconds)
    : m_tokenLifetime(tokenLifetimeSeconds)
{
}

AccountStore::~AccountStore()
{
    sqlite3_close(m_db);
}

bool AccountStore::open(const std::string &path, std::string &error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        error = sqlite3_errmsg(m_db);
        return false;
    }
    const bool ok = exec("CREATE TABLE IF NOT EXISTS accounts (id INTEGER PRIMARY KEY, email TEXT UNIQUE NOT NULL,"
                         " password_sha1 TEXT NOT NULL, auth_key TEXT NOT NULL, channel_title TEXT NOT NULL)")
        && exec("CREATE TABLE IF NOT EXISTS refresh_tokens (token TEXT PRIMARY KEY, account_id INTEGER NOT NULL)")
        && exec("CREATE TABLE IF NOT EXISTS access_tokens (token TEXT PRIMARY KEY, account_id INTEGER NOT NULL,"
                " expires_at INTEGER NOT NULL)");
    if (!ok)
        error = sqlite3_errmsg(m_db);
    return ok;
}

bool AccountStore::exec(const char *sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool AccountStore::isEmpty()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement count(m_db, "SELECT COUNT(*) FROM accounts");
    return count.step() && count.number(0) == 0;
}

std::optional<Account> AccountStore::addAccount(const std::string &email, const std::string &passwordDigest,
                                                const std::string &channelTitle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Account account{email, randomHex(20), {}};
    Statement insert(m_db, "INSERT INTO accounts (email, password_sha1, auth_key, channel_title) VALUES (?, ?, ?, ?)");
    if (!insert.bind(email).bind(passwordDigest).bind(account.authKey).bind(channelTitle).run())
        return std::nullopt;
    account.tokens = issuePair(sqlite3_last_insert_rowid(m_db));
    return account;
}

AccountStore::Login AccountStore::authenticate(const std::string &email, const std::string &passwordDigest, std::string &authKey)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement select(m_db, "SELECT password_sha1, auth_key FROM accounts WHERE email = ?");
    if (!select.bind(email).step())
        return Login::UnknownEmail;
    if (select.text(0) != passwordDigest)
        return Login::WrongPassword;
    authKey = select.text(1);
    return Login::Ok;
}

std::optional<IssuedTokens> AccountStore::tokensForKey(const std::string &authKey)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement select(m_db, "SELECT refresh_tokens.token, accounts.id FROM accounts JOIN refresh_tokens"
                           " ON refresh_tokens.account_id = accounts.id WHERE accounts.auth_key = ? LIMIT 1");
    if (!select.bind(authKey).step())
        return std::nullopt;
    return issueAccess(select.number(1), select.text(0));
}

std::optional<IssuedTokens> AccountStore::refresh(const std::string &refreshToken)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement select(m_db, "SELECT account_id FROM refresh_tokens WHERE token = ?");
    if (!select.bind(refreshToken).step())
        return std::nullopt;
    return issueAccess(select.number(0), refreshToken);
}

std::optional<std::string> AccountStore::newCode(std::string &email)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement select(m_db, "SELECT id, email FROM accounts ORDER BY id LIMIT 1");
    if (!select.step())
        return std::nullopt;
    email = select.text(1);
    const std::string code = randomHex(12);
    m_codes[code] = select.number(0);
    return code;
}

std::optional<IssuedTokens> AccountStore::redeemCode(const std::string &code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_codes.find(code);
    if (found == m_codes.end())
        return std::nullopt;
    const std::int64_t accountId = found->second;
    m_codes.erase(found);
    return issuePair(accountId);
}

std::optional<std::pair<std::string, std::string>> AccountStore::channelOf(const std::string &accessToken)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement select(m_db, "SELECT accounts.id, accounts.channel_title FROM access_tokens JOIN accounts"
                           " ON access_tokens.account_id = accounts.id WHERE access_tokens.token = ? AND access_tokens.expires_at > ?");
    if (!select.bind(accessToken).bind(now()).step())
        return std::nullopt;
    return std::make_pair("UC" + std::to_string(select.number(0)) + "standinchannel", select.text(1));
}

int AccountStore::expire(const std::string &accessToken)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Statement update(m_db, accessToken.empty() ? "UPDATE access_tokens SET expires_at = ?"
                                               : "UPDATE access_tokens SET expires_at = ? WHERE token = ?");
    update.bind(now());
    if (!accessToken.empty())
        update.bind(accessToken);
    return update.run() ? sqlite3_changes(m_db) : 0;
}

IssuedTokens AccountStore::issueAccess(std::int64_t accountId, const std::string &refreshToken)
{
    IssuedTokens tokens{randomHex(24), refreshToken, now() + m_tokenLifetime};
    Statement insert(m_db, "INSERT INTO access_tokens (token, account_id, expires_at) VALUES (?, ?, ?)");
    insert.bind(tokens.accessToken).bind(accountId).bind(tokens.expiresAt).run();
    return tokens;
}

IssuedTokens AccountStore::issuePair(std::int64_t accountId)
{
    const std::string refreshToken = randomHex(32);
    Statement insert(m_db, "INSERT INTO refresh_tokens (token, account_id) VALUES (?, ?)");
    insert.bind(refreshToken).bind(accountId).run();
    return issueAccess(accountId, refreshToken);
}

} // namespace Standin
