#include "QmlVlcVideoSurface.h"

#include <QQuickWindow>

#include "QmlVlcTsan.h"
#include "SGVlcVideoNode.h"

QmlVlcVideoSurface::QmlVlcVideoSurface(QQuickItem* parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents, true);
}

QmlVlcVideoSurface::~QmlVlcVideoSurface()
{
    if (m_source)
        m_source->unregisterVideoSurface(this);
}

void QmlVlcVideoSurface::setFillMode(FillMode mode)
{
    QmlVlcTsan::Handover handover(this);
    if (mode == m_fillMode)
        return;
    m_fillMode = mode;
    update();
    emit fillModeChanged(mode);
}

void QmlVlcVideoSurface::setSource(QmlVlcVideoSource* source)
{
    QmlVlcTsan::Handover handover(this);
    if (source == m_source)
        return;
    if (m_source) {
        m_source->unregisterVideoSurface(this);
        m_frame.reset();
        update();
    }
    m_source = source;
    if (m_source) {
        m_outputId = m_source->videoOutput().id();
        m_source->registerVideoSurface(this);
    }
    emit sourceChanged();
}

void QmlVlcVideoSurface::presentFrame(std::shared_ptr<const QmlVlcI420Frame> frame)
{
    QmlVlcTsan::Handover handover(this);
    m_frame = std::move(frame);
    m_frameChanged = true;
    update();
}

void QmlVlcVideoSurface::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickItem::itemChange(change, value);
    auto tellSource = [this] {
        if (m_source)
            m_source->surfaceShownOrHidden();
    };
    if (change == ItemSceneChange) {
        disconnect(m_windowVisibility);
        if (value.window)
            m_windowVisibility = connect(value.window, &QWindow::visibilityChanged, this, tellSource);
    }
    if (change == ItemVisibleHasChanged || change == ItemSceneChange)
        tellSource();
}

std::pair<QRectF, QRectF> QmlVlcVideoSurface::fillRects(FillMode mode, const QSizeF& itemSize,
                                                        const QSizeF& frameSize)
{
    QRectF itemRect(0, 0, itemSize.width(), itemSize.height());
    QRectF texRect(0, 0, 1, 1);
    if (mode == Stretch || frameSize.isEmpty() || itemSize.isEmpty())
        return {itemRect, texRect};

    const double frameRatio = frameSize.width() / frameSize.height();
    const double itemRatio = itemSize.width() / itemSize.height();
    if (mode == PreserveAspectFit) {
        double w = itemSize.width();
        double h = itemSize.height();
        if (frameRatio > itemRatio)
            h = w / frameRatio;
        else if (itemRatio > frameRatio)
            w = h * frameRatio;
        itemRect = QRectF((itemSize.width() - w) / 2, (itemSize.height() - h) / 2, w, h);
    } else if (frameRatio > itemRatio) {
        texRect.setX((1 - itemRatio / frameRatio) / 2);
        texRect.setWidth((1 - texRect.x()) - texRect.x());
    } else if (itemRatio > frameRatio) {
        texRect.setY((1 - frameRatio / itemRatio) / 2);
        texRect.setHeight((1 - texRect.y()) - texRect.y());
    }
    return {itemRect, texRect};
}

QSGNode* QmlVlcVideoSurface::updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*)
{
    QmlVlcTsan::Handover handover(this);
    if (!m_frame) {
        delete oldNode;
        return nullptr;
    }
    auto* node = oldNode ? static_cast<SGVlcVideoNode*>(oldNode) : new SGVlcVideoNode;
    auto rects = fillRects(m_fillMode, size(), QSizeF(m_frame->visibleWidth, m_frame->visibleHeight));
    // The even buffer's extra column and row are padding: never drawn.
    const qreal visibleX = qreal(m_frame->visibleWidth) / m_frame->width;
    const qreal visibleY = qreal(m_frame->visibleHeight) / m_frame->height;
    QRectF& tex = rects.second;
    tex = QRectF(tex.x() * visibleX, tex.y() * visibleY, tex.width() * visibleX, tex.height() * visibleY);
    if (m_frameChanged) {
        node->setFrame(m_outputId, m_frame);
        m_frameChanged = false;
    }
    node->setRect(rects.first, rects.second);
    return node;
}
