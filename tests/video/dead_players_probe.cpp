// Run by tst_player_lifecycle: plays the SDP files given and prints "showing"
// once every player shows pictures at the stream's rate, then "stalled" once the test has stopped
// the streams and every player noticed. Then destroys all players inside the
// event loop, prints the longest event-loop gap that caused, and shuts down as
// the client does: it waits at most 2.5 s for the background releases.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include "EventLoopGap.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoOutput.h"
#include "vlc/command_queue.h"

namespace {
void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QmlVlc::registerTypes();
    QmlVlcConfig::instance().setNetworkCacheTime(200);
    // Sixteen players on a busy machine fall behind and start afresh now and
    // then; what is measured here is how players whose streams died go away.
    QmlVlcConfig::instance().enableLiveCatchUp(false);

    std::vector<std::unique_ptr<QmlVlcPlayer>> players;
    for (const QString& sdp : app.arguments().mid(1)) {
        players.push_back(std::make_unique<QmlVlcPlayer>());
        players.back()->classBegin();
        players.back()->play(QStringLiteral("file://") + sdp);
    }
    auto all = [&players](auto test) {
        for (const auto& player : players) {
            if (!test(*player))
                return false;
        }
        return true;
    };

    // Each player counts as dead once it has been seen stalled: sixteen need not stall at the same instant.
    std::vector<bool> seenStalled(players.size(), false);
    auto allSeenStalled = [&] {
        for (std::size_t i = 0; i < players.size(); ++i)
            seenStalled[i] = seenStalled[i] || players[i]->stalled();
        return std::all_of(seenStalled.begin(), seenStalled.end(), [](bool seen) { return seen; });
    };
    enum class Phase { Starting, Showing, Destroyed } phase = Phase::Starting;
    EventLoopGap gap;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Streams that die while libvlc still opens them end instead of stalling.
        if (phase == Phase::Starting && all([](QmlVlcPlayer& p) { return p.frameRate() > 20; })) {
            phase = Phase::Showing;
            say("showing");
        } else if (phase == Phase::Showing && allSeenStalled()) {
            phase = Phase::Destroyed;
            say("stalled");
            gap.start();
            QElapsedTimer destroy;
            destroy.start();
            players.clear();
            const qint64 destroyMs = destroy.elapsed();
            QTimer::singleShot(200, [&gap, destroyMs] {
                gap.stop();
                std::printf("gap=%lld destroy=%lld lingering=%d\n", static_cast<long long>(gap.longestMs()),
                            static_cast<long long>(destroyMs), vlc::command_queue::lingering());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
    });
    poll.start(50);
    app.exec();
    vlc::command_queue::wait_for_all(std::chrono::milliseconds(2500));
    return 0;
}
