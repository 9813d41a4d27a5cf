#include "QmlVlc.h"

#include <QQmlEngine>

#include "QmlVlcMediaListPlayer.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"

namespace QmlVlc {

namespace {
constexpr const char* uri = "QmlVlc";
constexpr int major = 0;
constexpr int minor = 1;

template <typename T>
void registerUncreatable(const char* name)
{
    qmlRegisterUncreatableType<T>(uri, major, minor, name,
                                  QString::fromLatin1(name) + QStringLiteral(" cannot be instantiated directly"));
}
} // namespace

void registerTypes()
{
    qRegisterMetaType<std::shared_ptr<const QmlVlcI420Frame>>("std::shared_ptr<const QmlVlcI420Frame>");
    registerUncreatable<QmlVlcVideoSource>("QmlVlcVideoSource");
    registerUncreatable<QmlVlcInput>("VlcInput");
    registerUncreatable<QmlVlcVideo>("VlcVideo");
    registerUncreatable<QmlVlcAudio>("VlcAudio");
    registerUncreatable<QmlVlcSubtitle>("VlcSubtitle");
    registerUncreatable<QmlVlcPlaylist>("VlcPlaylist");
    registerUncreatable<QmlVlcMarquee>("VlcMarquee");
    registerUncreatable<QmlVlcLogo>("VlcLogo");
    registerUncreatable<QmlVlcDeinterlace>("VlcDeinterlace");
    registerUncreatable<QmlVlcMedia>("VlcMediaDesc");
    qmlRegisterType<QmlVlcVideoSurface>(uri, major, minor, "VlcVideoSurface");
    qmlRegisterType<QmlVlcPlayer>(uri, major, minor, "VlcPlayer");
    qmlRegisterType<QmlVlcMediaListPlayer>(uri, major, minor, "VlcMediaListPlayer");
}

void registerPlayerStateEnum()
{
    qmlRegisterUncreatableMetaObject(QmlVlcPlayerProxy::staticMetaObject, uri, major, minor,
                                     "QmlVlcPlayerState", QStringLiteral("Error: only enums"));
}

} // namespace QmlVlc
