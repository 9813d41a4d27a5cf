#include "SGVlcVideoNode.h"

SGVlcVideoNode::SGVlcVideoNode()
    : m_geometry(QSGGeometry::defaultAttributes_TexturedPoint2D(), 4, 0, QSGGeometry::UnsignedShortType)
{
    setGeometry(&m_geometry);
    setMaterial(&m_material);
}

void SGVlcVideoNode::setFrame(quint64 outputId, const std::shared_ptr<const QmlVlcI420Frame>& frame)
{
    m_material.setFrame(outputId, frame);
    markDirty(DirtyMaterial);
}

void SGVlcVideoNode::setRect(const QRectF& rect, const QRectF& sourceRect)
{
    QSGGeometry::updateTexturedRectGeometry(&m_geometry, rect, sourceRect);
    markDirty(DirtyGeometry);
}
