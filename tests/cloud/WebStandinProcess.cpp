#include "WebStandinProcess.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUrlQuery>

namespace {
const int kAnswerTimeoutMs = 10000;
}

WebStandinProcess::WebStandinProcess()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

WebStandinProcess::~WebStandinProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool WebStandinProcess::start()
{
    m_process.setWorkingDirectory(m_dir.path());
    m_process.start(QStringLiteral(LYN_WEB_STANDIN_EXE),
                    {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"), m_dir.filePath(QStringLiteral("web.db"))});
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray output;
    const QDeadlineTimer deadline(kAnswerTimeoutMs);
    while (!deadline.hasExpired() && m_process.waitForReadyRead(int(deadline.remainingTime()))) {
        output += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    return false;
}

QString WebStandinProcess::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QJsonObject WebStandinProcess::addAccount(const QString &email, const QString &password, const QString &channelTitle)
{
    const QJsonObject body{
        {QStringLiteral("email"), email},
        {QStringLiteral("password_sha1"), QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha1).toHex())},
        {QStringLiteral("channel_title"), channelTitle},
    };
    return QJsonDocument::fromJson(control(QStringLiteral("/_control/account"), QJsonDocument(body).toJson())).object();
}

int WebStandinProcess::count(const QString &path)
{
    const QJsonObject answer = QJsonDocument::fromJson(control(QStringLiteral("/_control/counts"), {}, false)).object();
    return answer.value(QStringLiteral("counts")).toObject().value(path).toInt();
}

int WebStandinProcess::totalCount()
{
    const QJsonObject counts =
        QJsonDocument::fromJson(control(QStringLiteral("/_control/counts"), {}, false)).object().value(QStringLiteral("counts")).toObject();
    int total = 0;
    for (const QJsonValue &value : counts)
        total += value.toInt();
    return total;
}

QJsonArray WebStandinProcess::received(const QString &path)
{
    const QJsonArray all = QJsonDocument::fromJson(control(QStringLiteral("/_control/received"), {}, false))
                               .object()
                               .value(QStringLiteral("requests"))
                               .toArray();
    QJsonArray matching;
    for (const QJsonValue &request : all) {
        if (path.isEmpty() || request.toObject().value(QStringLiteral("path")).toString() == path)
            matching.append(request);
    }
    return matching;
}

void WebStandinProcess::reset()
{
    control(QStringLiteral("/_control/reset"));
}

void WebStandinProcess::answer(const QString &path, int status, const QByteArray &body, const QByteArray &type)
{
    QUrlQuery query{{QStringLiteral("path"), path}, {QStringLiteral("status"), QString::number(status)}, {QStringLiteral("type"), QString::fromLatin1(type)}};
    control(QStringLiteral("/_control/answer?") + query.toString(QUrl::FullyEncoded), body);
}

void WebStandinProcess::stall(const QString &path, int milliseconds)
{
    control(QStringLiteral("/_control/stall?path=%1&ms=%2").arg(path).arg(milliseconds));
}

void WebStandinProcess::expire(const QString &accessToken)
{
    control(QStringLiteral("/_control/expire?access_token=") + accessToken);
}

QByteArray WebStandinProcess::control(const QString &pathAndQuery, const QByteArray &body, bool post)
{
    QNetworkRequest request(QUrl(baseUrl() + pathAndQuery));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    return finish(post ? m_manager.post(request, body) : m_manager.get(request));
}

QByteArray WebStandinProcess::finish(QNetworkReply *reply)
{
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!finished.wait(kAnswerTimeoutMs))
        qWarning("web stand-in did not answer %s", qPrintable(reply->url().path()));
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}
