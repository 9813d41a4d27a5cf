#include "controllers/archive/ArchivePlayerController.h"

#include "controllers/common/SdpFile.h"
#include "nt_common/core/error/LocationTag.h"

#include <QUuid>

namespace LynClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\clientBase\\controllers\\archive\\ArchivePlayerController");
const QString kStreamKey = QStringLiteral("streamKey");
const QString kStatus = QStringLiteral("status");
const QString kDevice = QStringLiteral("rstIDDevice");

QString streamKeyOf(const QJsonObject &mapParams)
{
    return mapParams.value(kStreamKey).toVariant().toString();
}
} // namespace

ArchivePlayerController::ArchivePlayerController(QObject *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("archivePlayer");
    connectRouter(&LynClientBase::HandleRecievedMessages::archivePlayerMessage);
}

bool ArchivePlayerController::handleMessage(const QString &actionName, const QJsonObject &mapParams)
{
    if (ControllerDesktopBase::handleMessage(actionName, mapParams))
        return true;
    if (actionName == QLatin1String("saCreateVideo")) {
        const auto entry = m_streams.find(streamKeyOf(mapParams));
        if (isOwnAnswer(mapParams) && mapParams.value(kStatus).toString() == QLatin1String("OK") && entry != m_streams.end()) {
            entry->insert(kStatus, QStringLiteral("created"));
            entry->insert(QStringLiteral("url"), mapParams.value(QStringLiteral("url")));
            emit saCreateVideo(mapParams);
        }
    } else if (actionName == QLatin1String("saPlayVideo")) {
        if (markStream(mapParams, QStringLiteral("play")))
            emit saPlayVideo(mapParams);
    } else if (actionName == QLatin1String("saPauseVideo")) {
        if (markStream(mapParams, QStringLiteral("paused")))
            emit saPauseVideo(mapParams);
    } else if (actionName == QLatin1String("saJumpVideo")) {
        if (markStream(mapParams, QStringLiteral("jumped")))
            emit saJumpVideo(mapParams);
    } else if (actionName == QLatin1String("saSeekVideo")) {
        if (m_streams.contains(streamKeyOf(mapParams)))
            emit saSeekVideo(mapParams);
    } else if (actionName == QLatin1String("saRemoveVideo")) {
        emit saRemoveVideo(mapParams);
        m_streams.remove(streamKeyOf(mapParams));
    } else if (actionName == QLatin1String("srPosition")) {
        emit srPosition(mapParams);
    } else if (actionName == QLatin1String("srNewSDP")) {
        emit srNewSDP(mapParams);
    } else {
        return false;
    }
    return true;
}

QJsonObject ArchivePlayerController::trCreateVideo(QJsonObject mapParams)
{
    const QString key = QUuid::createUuid().toString();
    QJsonObject request = mapParams;
    request.insert(kStreamKey, key);
    const QJsonObject sent = sendAction(QStringLiteral("trCreateVideo"), request);
    m_streams.insert(key, QJsonObject{{kDevice, mapParams.value(kDevice)}, {kStatus, QStringLiteral("creating")}});
    return sent;
}

QJsonObject ArchivePlayerController::trPlayVideo(QJsonObject mapParams)
{
    return sendForKnownStream(QStringLiteral("trPlayVideo"), mapParams, QStringLiteral("preparePlay"));
}

QJsonObject ArchivePlayerController::trPauseVideo(QJsonObject mapParams)
{
    return sendForKnownStream(QStringLiteral("trPauseVideo"), mapParams, QStringLiteral("pausing"));
}

QJsonObject ArchivePlayerController::trJumpVideo(QJsonObject mapParams)
{
    mapParams.insert(QStringLiteral("_requestId"), QUuid::createUuid().toString());
    return sendForKnownStream(QStringLiteral("trJumpVideo"), mapParams, QStringLiteral("jumping"));
}

QJsonObject ArchivePlayerController::trRemoveVideo(QJsonObject mapParams)
{
    const QJsonObject sent = sendAction(QStringLiteral("trRemoveVideo"), mapParams);
    markStream(mapParams, QStringLiteral("removing"));
    return sent;
}

QString ArchivePlayerController::getStremKeyByIDDevice(int id) const
{
    for (auto it = m_streams.cbegin(); it != m_streams.cend(); ++it) {
        bool ok = false;
        const qlonglong device = it->value(kDevice).toVariant().toLongLong(&ok);
        if (ok && device == id)
            return it.key();
    }
    return QString();
}

void ArchivePlayerController::clearStreamMap()
{
    m_streams.clear();
}

QString ArchivePlayerController::createSDPFile(QJsonObject entry)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientController::ArchivePlayerController::createSDPFile"));
    return SdpFile::write(QStringLiteral("sdp_archive"), entry.value(kStreamKey), SdpFile::NameKind::Text, entry, tag);
}

QJsonObject ArchivePlayerController::streamEntry(const QString &streamKey) const
{
    return m_streams.value(streamKey);
}

QJsonObject ArchivePlayerController::sendForKnownStream(const QString &action, const QJsonObject &mapParams, const QString &status)
{
    if (!m_streams.contains(streamKeyOf(mapParams)))
        return QJsonObject();
    const QJsonObject sent = sendAction(action, mapParams);
    markStream(mapParams, status);
    return sent;
}

bool ArchivePlayerController::markStream(const QJsonObject &mapParams, const QString &status)
{
    const auto entry = m_streams.find(streamKeyOf(mapParams));
    if (entry == m_streams.end())
        return false;
    entry->insert(kStatus, status);
    return true;
}

} // namespace LynClientController
