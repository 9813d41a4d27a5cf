#include "QmlVlcSubtitle.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>

#include "QmlVlcTrackDescription.h"

QmlVlcSubtitle::QmlVlcSubtitle(vlc::playlist_player_core& player)
    : m_player(player)
{
}

QmlVlcSubtitle::~QmlVlcSubtitle()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QString QmlVlcSubtitle::description(unsigned i) const
{
    libvlc_media_player_t* mp = m_player.idle_mp();
    return mp ? QmlVlcTrackDescription::name(libvlc_video_get_spu_description(mp), i) : QString();
}

bool QmlVlcSubtitle::ensureTempDir()
{
    if (!m_tempDir)
        m_tempDir = std::make_unique<QTemporaryDir>();
    return m_tempDir->isValid();
}

bool QmlVlcSubtitle::loadFile(const QString& path)
{
    if (!m_player.subtitles().load(QDir::toNativeSeparators(path).toUtf8().toStdString()))
        return false;
    ++m_loadedFiles;
    return true;
}

void QmlVlcSubtitle::load(const QUrl& url)
{
    if (m_reply || m_loadedFiles >= maxLoadedFiles)
        return;
    if (url.isLocalFile()) {
        if (loadFile(url.toLocalFile()))
            emit loadFinished();
        else
            emit loadError();
        return;
    }
    if (!ensureTempDir())
        return;
    m_download = std::make_unique<QTemporaryFile>(m_tempDir->filePath(QStringLiteral("url-sub-XXXXXX")));
    if (!m_download->open()) {
        m_download.reset();
        emit loadError();
        return;
    }
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    m_reply = m_network->get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::readyRead, this, &QmlVlcSubtitle::networkDataReady);
    connect(m_reply, &QNetworkReply::finished, this, &QmlVlcSubtitle::downloadFinished);
}

void QmlVlcSubtitle::networkDataReady()
{
    if (m_reply && m_download)
        m_download->write(m_reply->readAll());
}

void QmlVlcSubtitle::downloadFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    std::unique_ptr<QTemporaryFile> file = std::move(m_download);
    if (!file || reply->error() != QNetworkReply::NoError) {
        emit loadError();
        return;
    }
    file->write(reply->readAll());
    file->flush();
    const QString suffix = QFileInfo(reply->url().fileName()).suffix();
    const QString target = file->fileName() + QLatin1Char('.') + suffix;
    file->setAutoRemove(false);
    file->close();
    const bool renamed = file->rename(target);
    if (renamed && loadFile(target))
        emit loadFinished();
    else
        emit loadError();
}

bool QmlVlcSubtitle::loadFromString(const QByteArray& subtitles, Type type)
{
    const char* extension = nullptr;
    switch (type) {
    case Microdvd: extension = "sub"; break;
    case Subrip: extension = "srt"; break;
    case Dks: extension = "dks"; break;
    case Vtt: extension = "vtt"; break;
    }
    if (!extension || m_loadedFiles >= maxLoadedFiles || subtitles.size() > maxTextSize || !ensureTempDir())
        return false;
    QTemporaryFile file(m_tempDir->filePath(QStringLiteral("str-sub-XXXXXX.") + QLatin1String(extension)));
    if (!file.open() || file.write(subtitles) != subtitles.size())
        return false;
    file.flush();
    if (!loadFile(file.fileName()))
        return false;
    file.setAutoRemove(false);
    return true;
}

void QmlVlcSubtitle::mediaChanged()
{
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_download.reset();
    m_tempDir.reset();
    m_loadedFiles = 0;
}
