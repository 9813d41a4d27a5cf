#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

class QmlVlcVideoOutput;

// Hands new frames of every output to their surfaces on one GUI-thread
// tick, so that a window with many tiles redraws once per frame interval
// rather than once per arriving frame. Decoder threads only set a flag;
// the tick stops when no frame has come for a while and the next frame
// wakes it again.
class QmlVlcFrameScheduler : public QObject
{
    Q_OBJECT

public:
    static QmlVlcFrameScheduler& instance();
    // Any thread: a frame is waiting.
    static void wake();

    void addOutput(QmlVlcVideoOutput* output);
    void removeOutput(QmlVlcVideoOutput* output);
    // Window redraw requests caused by the tick so far (for measurement).
    quint64 ticksWithFrames() const { return m_ticksWithFrames; }

private:
    explicit QmlVlcFrameScheduler(QObject* parent);
    ~QmlVlcFrameScheduler() override;

    Q_INVOKABLE void arm();
    void tick();
    int intervalMs() const;

    QTimer m_timer;
    QList<QmlVlcVideoOutput*> m_outputs;
    int m_idleTicks = 0;
    quint64 m_ticksWithFrames = 0;
};
