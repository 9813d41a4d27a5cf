#pragma once

#include <QObject>
#include <QPointF>

namespace LynClientBase {

// Reports the key, mouse and focus events of whatever it is installed on;
// never consumes an event.
class EventFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void keyPressed(int key, int modifiers, bool isAutoRepeat);
    void keyReleased(int key, int modifiers, bool isAutoRepeat);
    void mouseButtonPressed(QPointF localPos, int button);
    void mouseButtonReleased(QPointF localPos, int button);
    void mouseButtonDblClick(QPointF localPos, int button);
    void mouseMove(QPointF screenPos, QPointF localPos);
    void focusOut();
};

} // namespace LynClientBase
