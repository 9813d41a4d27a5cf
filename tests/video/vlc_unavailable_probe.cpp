// Run by tst_vlc_unavailable where libvlc finds no plug-ins: makes a player,
// uses it and prints what it reads. Logs go to stdout as logger "main".
#include <cstdio>

#include <QCoreApplication>

#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/spdlog.h>

#include "QmlVlcPlayer.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    auto logger = spdlog::stdout_logger_mt("main");
    logger->set_pattern("%l %v");

    QmlVlcPlayer player;
    player.classBegin();
    player.play(QStringLiteral("file:///nonexistent.mp4"));
    player.playlist()->next();
    player.togglePause();
    player.setVolume(10);
    player.stop();
    logger->flush();
    std::printf("open=%d state=%d length=%g mrl=%s add=%d items=%u width=%u track=%d volume=%u\n",
                player.player().is_open() ? 1 : 0, int(player.state()), player.length(),
                qPrintable(player.mrl()), player.playlist()->add(QStringLiteral("file:///x.mp4")),
                player.playlist()->itemCount(), player.video()->width(), player.audio()->track(),
                player.volume());
    return 0;
}
