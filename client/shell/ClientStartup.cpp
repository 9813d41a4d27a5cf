#include "shell/ClientStartup.h"

#include "LynQmlResources.h"
#include "controllers/LynTypes.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "base/DesktopUtils.h"
#include "base/EventFilter.h"
#include "base/HandleRecievedMessages.h"
#include "base/LogSetup.h"
#include "base/LynClientNetworkQMLBaseSimple.h"
#include "base/SettingsSimple.h"
#include "base/Translator.h"
#include "client_base/base/ClientNetworkQMLBaseSimple.h"
#include "client_base/other/peer/PeersManager.h"
#include "nt_common/core/singleton/SpSingleton.h"
#include "shell/LocalServerProcess.h"
#include "shell/P2pLinkSetup.h"
#include "shell/P2pQmlTypes.h"
#include "shell/SignalQuit.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QThread>
#include <QtWebEngine>

#include <memory>

namespace LynClient {

namespace {

// The video library is configured once, before any player exists.
void configureVideo()
{
    QmlVlcConfig &config = QmlVlcConfig::instance();
    config.enableMarqueeFilter(false);
    config.enableAdjustFilter(false);
    config.enableLogoFilter(false);
    config.enableDebug(false);
    config.setNetworkCacheTime(200);
    config.enableHardwareAcceleration(true);
}

void loadFonts()
{
    for (const char *face : {"Regular", "Medium", "Bold"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/Roboto/Roboto-%1.ttf").arg(QLatin1String(face)));
    QFont font(QStringLiteral("Roboto"), 12, QFont::Normal, false);
    QGuiApplication::setFont(font);
}

std::unique_ptr<P2pClientController::Auth> startP2pLink(LynClientBase::SettingsSimple *settings)
{
    SpSingleton<P2pMeetingClientNetworkSimpleFinal>::instance();
    auto auth = P2pLinkSetup::start(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::sharedInstance(),
                                    settings->value(QStringLiteral("P2pServer"), QStringLiteral("ip"), QStringLiteral("::1")),
                                    settings->value(QStringLiteral("P2pServer"), QStringLiteral("port"), QStringLiteral("0")),
                                    settings->value(QStringLiteral("P2pClient"), QStringLiteral("remoteSign"), QString()));
    SpSingleton<P2pClientBase::ClientNetworkQMLBaseSimple>::instance(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::sharedInstance());
    return auth;
}

void stopThread(QThread *thread)
{
    thread->quit();
    thread->wait();
}

LynClientBase::LynClientNetworkQMLBaseSimple *startServerLink()
{
    LynClientNetworkFinalSimple *link = SpSingleton<LynClientNetworkFinalSimple>::instance();
    link->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
    LynClientBase::LynClientNetwork::setControllersLink(SpSingleton<LynClientNetworkFinalSimple>::sharedInstance());
    link->setParam(QStringLiteral("use_ping"), true);
    link->start(QThread::NormalPriority);
    return SpSingleton<LynClientBase::LynClientNetworkQMLBaseSimple>::instance(
        SpSingleton<LynClientNetworkFinalSimple>::sharedInstance());
}

} // namespace

int ClientStartup::run(int argc, char *argv[])
{
    NtCommon::DTO::registerMetaTypes();
    const QString workDir = QDir::currentPath();
    LynClientBase::LogSetup::start(workDir);
    QmlVlc::registerTypes();
    configureVideo();

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    // This Qt wants the web engine's shared context set up before the application object.
    QtWebEngine::initialize();
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    initLynQmlResources();
    SignalQuit signalQuit;

    (new LocalServerProcess(app.get()))->startIn(workDir);
    loadFonts();

    auto *settings = SpSingleton<LynClientBase::SettingsSimple>::instance(workDir + QStringLiteral("/main.conf"),
                                                                            QSettings::IniFormat);
    app->installEventFilter(SpSingleton<LynClientBase::EventFilter>::instance());
    SpSingleton<PeersManager>::instance();
    auto desktopUtils = std::make_unique<LynClientBase::DesktopUtils>(app.get());

    LynClientController::registerLynTypes();
    QmlVlc::registerPlayerStateEnum();
    P2pQmlTypes::registerTypes();
    auto auth = startP2pLink(settings);
    auto *net = startServerLink();
    QThread::msleep(500);

    auto engine = std::make_unique<QQmlApplicationEngine>();
    auto translator = std::make_unique<LynClientBase::Translator>(engine.get());
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("TR"), translator.get());
    context->setContextProperty(QStringLiteral("NET"), net);
    context->setContextProperty(QStringLiteral("SETTINGS"), settings);
    context->setContextProperty(QStringLiteral("EVENT_FILTER"), SpSingleton<LynClientBase::EventFilter>::instance());
    context->setContextProperty(QStringLiteral("DESKTOP_UTILS"), desktopUtils.get());
    context->setContextProperty(QStringLiteral("WORK_DIR"), QDir::currentPath());
    context->setContextProperty(QStringLiteral("NETP2P"), SpSingleton<P2pClientBase::ClientNetworkQMLBaseSimple>::sharedInstance().data());

    engine->load(QUrl(QStringLiteral("qrc:/qml/main/Main.qml")));
    const int exitCode = engine->rootObjects().isEmpty() ? -1 : app->exec();

    translator.reset();
    engine.reset();
    auth.reset();
    desktopUtils.reset();
    stopThread(SpSingleton<LynClientNetworkFinalSimple>::instance());
    stopThread(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::instance());
    app.reset();
    return exitCode;
}

} // namespace LynClient
