#pragma once

#include <memory>

#include <QSGGeometry>
#include <QSGGeometryNode>

#include "QSGVlcVideoFrameMaterial.h"

class SGVlcVideoNode : public QSGGeometryNode
{
public:
    SGVlcVideoNode();

    void setFrame(quint64 outputId, const std::shared_ptr<const QmlVlcI420Frame>& frame);
    void setRect(const QRectF& rect, const QRectF& sourceRect);

private:
    QSGGeometry m_geometry;
    QSGVlcVideoFrameMaterial m_material;
};
