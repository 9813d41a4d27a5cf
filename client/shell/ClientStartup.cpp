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
#include "vlc/command_queue.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QThread>
#include <QtWebEngine>

#include <chrono>
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

void stopThread(QThread *thread)
{
    thread->quit();
    thread->wait();
}

} // namespace

ClientStartup::ClientStartup(int &argc, char **argv)
{
    NtCommon::DTO::registerMetaTypes();
    m_workDir = QDir::currentPath();
    LynClientBase::LogSetup::start(m_workDir);
    QmlVlc::registerTypes();
    configureVideo();

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    // This Qt wants the web engine's shared context set up before the application object.
    QtWebEngine::initialize();
    m_app = std::make_unique<QGuiApplication>(argc, argv);
    initLynQmlResources();
    m_signalQuit = std::make_unique<SignalQuit>();

    (new LocalServerProcess(m_app.get()))->startIn(m_workDir);
    loadFonts();

    m_settings = SpSingleton<LynClientBase::SettingsSimple>::instance(m_workDir + QStringLiteral("/main.conf"),
                                                                       QSettings::IniFormat);
    m_app->installEventFilter(SpSingleton<LynClientBase::EventFilter>::instance());
    SpSingleton<PeersManager>::instance();
    m_desktopUtils = std::make_unique<LynClientBase::DesktopUtils>(m_app.get());

    LynClientController::registerLynTypes();
    QmlVlc::registerPlayerStateEnum();
    P2pQmlTypes::registerTypes();
    startP2pLink();
    startServerLink();
    QThread::msleep(500);
}

void ClientStartup::startP2pLink()
{
    SpSingleton<P2pMeetingClientNetworkSimpleFinal>::instance();
    m_auth = P2pLinkSetup::start(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::sharedInstance(),
                                 m_settings->value(QStringLiteral("P2pServer"), QStringLiteral("ip"), QStringLiteral("::1")),
                                 m_settings->value(QStringLiteral("P2pServer"), QStringLiteral("port"), QStringLiteral("0")),
                                 m_settings->value(QStringLiteral("P2pClient"), QStringLiteral("remoteSign"), QString()));
    SpSingleton<P2pClientBase::ClientNetworkQMLBaseSimple>::instance(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::sharedInstance());
}

void ClientStartup::startServerLink()
{
    LynClientNetworkFinalSimple *link = SpSingleton<LynClientNetworkFinalSimple>::instance();
    link->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
    LynClientBase::LynClientNetwork::setControllersLink(SpSingleton<LynClientNetworkFinalSimple>::sharedInstance());
    link->setParam(QStringLiteral("use_ping"), true);
    link->start(QThread::NormalPriority);
    link->setP2pLink(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::sharedInstance());
    m_net = SpSingleton<LynClientBase::LynClientNetworkQMLBaseSimple>::instance(
        SpSingleton<LynClientNetworkFinalSimple>::sharedInstance());
}

bool ClientStartup::loadWindow()
{
    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_translator = std::make_unique<LynClientBase::Translator>(m_engine.get());
    QQmlContext *context = m_engine->rootContext();
    context->setContextProperty(QStringLiteral("TR"), m_translator.get());
    context->setContextProperty(QStringLiteral("NET"), m_net);
    context->setContextProperty(QStringLiteral("SETTINGS"), m_settings);
    context->setContextProperty(QStringLiteral("EVENT_FILTER"), SpSingleton<LynClientBase::EventFilter>::instance());
    context->setContextProperty(QStringLiteral("DESKTOP_UTILS"), m_desktopUtils.get());
    context->setContextProperty(QStringLiteral("WORK_DIR"), QDir::currentPath());
    context->setContextProperty(QStringLiteral("NETP2P"), SpSingleton<P2pClientBase::ClientNetworkQMLBaseSimple>::sharedInstance().data());

    m_engine->load(QUrl(QStringLiteral("qrc:/qml/main/Main.qml")));
    return !m_engine->rootObjects().isEmpty();
}

int ClientStartup::exec()
{
    return m_app->exec();
}

QQmlApplicationEngine *ClientStartup::engine() const
{
    return m_engine.get();
}

ClientStartup::~ClientStartup()
{
    m_translator.reset();
    m_engine.reset();
    // Players release libvlc in the background; let those releases end before the
    // library goes away, but never wait on a dead stream for long.
    vlc::command_queue::wait_for_all(std::chrono::milliseconds(2500));
    m_auth.reset();
    m_desktopUtils.reset();
    stopThread(SpSingleton<LynClientNetworkFinalSimple>::instance());
    stopThread(SpSingleton<P2pMeetingClientNetworkSimpleFinal>::instance());
    m_signalQuit.reset();
    m_app.reset();
}

int ClientStartup::run(int argc, char *argv[])
{
    ClientStartup startup(argc, argv);
    return startup.loadWindow() ? startup.exec() : -1;
}

} // namespace LynClient
