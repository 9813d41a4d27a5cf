#include "QmlVlcFrameScheduler.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include <QCoreApplication>

#include "QmlVlcVideoOutput.h"

namespace {
// Ticks without any new frame before the timer stops.
constexpr int idleTicksBeforeSleep = 50;
// Tick a little faster than the fastest stream so that no frame waits a
// whole interval, and never faster than 100 Hz.
constexpr double tickPerFrame = 0.9;
constexpr int fastestTickMs = 10;
constexpr int slowestTickMs = 40;
constexpr int unknownRateTickMs = 20;

// Decoder threads of players still stopping in the background may wake the
// scheduler after main returns: what they touch is never destroyed.
struct Wakeup
{
    std::mutex mutex;
    QmlVlcFrameScheduler* instance = nullptr;
    std::atomic<bool> armed{false};
};

Wakeup& wakeup()
{
    static Wakeup* const state = new Wakeup;
    return *state;
}
} // namespace

QmlVlcFrameScheduler& QmlVlcFrameScheduler::instance()
{
    Wakeup& state = wakeup();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.instance)
        state.instance = new QmlVlcFrameScheduler(QCoreApplication::instance());
    return *state.instance;
}

QmlVlcFrameScheduler::QmlVlcFrameScheduler(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &QmlVlcFrameScheduler::tick);
}

QmlVlcFrameScheduler::~QmlVlcFrameScheduler()
{
    Wakeup& state = wakeup();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.instance = nullptr;
}

void QmlVlcFrameScheduler::wake()
{
    Wakeup& state = wakeup();
    if (state.armed.exchange(true))
        return;
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.instance)
        QMetaObject::invokeMethod(state.instance, "arm", Qt::QueuedConnection);
}

void QmlVlcFrameScheduler::addOutput(QmlVlcVideoOutput* output)
{
    if (!m_outputs.contains(output))
        m_outputs.append(output);
}

void QmlVlcFrameScheduler::removeOutput(QmlVlcVideoOutput* output)
{
    m_outputs.removeOne(output);
}

void QmlVlcFrameScheduler::arm()
{
    m_idleTicks = 0;
    if (!m_timer.isActive()) {
        m_timer.start(intervalMs());
        tick();
    }
}

int QmlVlcFrameScheduler::intervalMs() const
{
    double fastest = 0;
    for (const QmlVlcVideoOutput* output : m_outputs)
        fastest = std::max(fastest, output->frameRate());
    if (fastest <= 0)
        return unknownRateTickMs;
    return std::clamp(static_cast<int>(std::lround(1000.0 * tickPerFrame / fastest)), fastestTickMs, slowestTickMs);
}

void QmlVlcFrameScheduler::tick()
{
    bool any = false;
    // An output may go away while its surfaces are updated.
    const QList<QmlVlcVideoOutput*> outputs = m_outputs;
    for (QmlVlcVideoOutput* output : outputs) {
        if (m_outputs.contains(output))
            any = output->deliverNewFrame() || any;
    }
    if (any) {
        ++m_ticksWithFrames;
        m_idleTicks = 0;
    } else if (++m_idleTicks >= idleTicksBeforeSleep) {
        m_timer.stop();
        wakeup().armed = false;
        // A frame that came just before the flag fell would wait for the next one.
        for (QmlVlcVideoOutput* output : qAsConst(m_outputs)) {
            if (output->hasNewFrame()) {
                wakeup().armed = true;
                arm();
                break;
            }
        }
        return;
    }
    const int interval = intervalMs();
    if (interval != m_timer.interval())
        m_timer.setInterval(interval);
}
