#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QTemporaryDir>

// The web stand-in as its own process on a free port, with its control paths.
class WebStandinProcess
{
public:
    WebStandinProcess();
    ~WebStandinProcess();

    // Starts the executable and waits for the port it reports.
    bool start();
    QString baseUrl() const;

    // A new account with the SHA-1 digest of the password; answers auth_key and a token pair.
    QJsonObject addAccount(const QString &email, const QString &password, const QString &channelTitle);
    int count(const QString &path);
    int totalCount();
    QJsonArray received(const QString &path);
    void reset();
    void answer(const QString &path, int status, const QByteArray &body, const QByteArray &type = "application/json");
    void stall(const QString &path, int milliseconds);
    void expire(const QString &accessToken = QString());

private:
    QByteArray control(const QString &pathAndQuery, const QByteArray &body = QByteArray(), bool post = true);
    QByteArray finish(class QNetworkReply *reply);

    QTemporaryDir m_dir;
    QProcess m_process;
    QNetworkAccessManager m_manager;
    quint16 m_port = 0;
};
