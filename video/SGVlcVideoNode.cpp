#include "SGVlcVideoNode.h"

SGVlcVideoNode::SGVlcVideoNode()
    : m_geometry(QSGGeometry::defaultAttributes_TexturedPoint2D(), 4, 0, QSGGeometry::UnsignedShortType)
{
    setGeometry(&m_geometry);
    setMaterial(&m_material);
}

void SGVlcVideoNode::setFrame(const std::shared_ptr<const QmlVlcI420Frame>& frame)
{
    m_material.setFrame(frame);
    markDirty(DirtyMaterial);
}

void SGVlcVideoNode::setRect(const QRectF& rect, const QRectF& sourceRect)
{
    QSGGeometry::updateTexturedRectGeometry(&m_geometry, rect, sourceRect);
    markDirty(DirtyGeometry);
}
