#pragma once

#include <QJsonObject>
#include <QObject>
#include <QTimer>

namespace Standin {

class LiveStreams;
class Modules;

// Pretends to run object detection on every live device whose object
// detection module is on: about twice a second it reports a few labelled
// boxes that drift over the picture.
class Detection : public QObject
{
    Q_OBJECT
public:
    Detection(const Modules &modules, const LiveStreams &streams, QObject *parent = nullptr);

signals:
    void detected(const QJsonObject &message);

private:
    void tick();

    const Modules &m_modules;
    const LiveStreams &m_streams;
    QTimer m_timer;
    int m_tick = 0;
};

} // namespace Standin
