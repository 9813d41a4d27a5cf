#include "base/EventFilter.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace LynClientBase {

bool EventFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit mouseButtonPressed(e->localPos(), e->button());
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit mouseButtonReleased(e->localPos(), e->button());
        break;
    }
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit mouseButtonDblClick(e->localPos(), e->button());
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit mouseMove(e->screenPos(), e->localPos());
        break;
    }
    case QEvent::KeyPress: {
        auto *e = static_cast<QKeyEvent *>(event);
        emit keyPressed(e->key(), static_cast<int>(e->modifiers()), e->isAutoRepeat());
        break;
    }
    case QEvent::KeyRelease: {
        auto *e = static_cast<QKeyEvent *>(event);
        emit keyReleased(e->key(), static_cast<int>(e->modifiers()), e->isAutoRepeat());
        break;
    }
    case QEvent::FocusOut:
        emit focusOut();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace LynClientBase
