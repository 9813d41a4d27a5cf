#include "Detection.h"

#include "LiveStreams.h"
#include "Modules.h"
#include "RectText.h"

#include <QDateTime>

#include <cmath>

namespace Standin {

namespace {
// Each box moves on its own slow ellipse, so consecutive messages differ a little.
RectText::Box box(qint64 deviceId, int index, int tick)
{
    const double phase = 0.15 * tick + 1.7 * index + 0.9 * double(deviceId);
    RectText::Box b;
    b.width = 0.12 + 0.04 * index;
    b.height = 0.25 + 0.05 * ((deviceId + index) % 3);
    b.x = (1.0 - b.width) * (0.5 + 0.45 * std::sin(phase));
    b.y = (1.0 - b.height) * (0.5 + 0.4 * std::cos(0.7 * phase));
    const QStringList &names = RectText::classNames();
    b.label = names.at(int((deviceId * 7 + index * 13) % names.size()));
    b.probability = std::round((0.72 + 0.25 * std::sin(0.3 * phase)) * 100.0) / 100.0;
    return b;
}
} // namespace

Detection::Detection(const Modules &modules, const LiveStreams &streams, QObject *parent)
    : QObject(parent)
    , m_modules(modules)
    , m_streams(streams)
{
    connect(&m_timer, &QTimer::timeout, this, &Detection::tick);
    m_timer.start(500);
}

void Detection::tick()
{
    ++m_tick;
    for (qint64 deviceId : m_streams.streamingDevices()) {
        if (!m_modules.isActive(deviceId, Modules::objectDetection))
            continue;
        RectText message;
        message.deviceId = deviceId;
        message.dtCreate = QDateTime::currentMSecsSinceEpoch();
        const int count = 1 + int((deviceId + m_tick / 10) % 3);
        for (int i = 0; i < count; ++i)
            message.boxes.append(box(deviceId, i, m_tick));
        emit detected(message.toMessage());
    }
}

} // namespace Standin
