#pragma once

#include <memory>

#include <QOpenGLFunctions>
#include <QSGMaterial>

#include "QmlVlcI420Frame.h"

class QSGVlcVideoFrameMaterial : public QSGMaterial
{
public:
    QSGVlcVideoFrameMaterial();
    ~QSGVlcVideoFrameMaterial() override;

    QSGMaterialType* type() const override;
    QSGMaterialShader* createShader() const override;
    int compare(const QSGMaterial* other) const override;

    void setFrame(const std::shared_ptr<const QmlVlcI420Frame>& frame) { m_frame = frame; }

    // Render thread: uploads a pending frame once, otherwise rebinds the
    // textures of the last upload. Leaves texture unit 0 active.
    void bindPlanes(QOpenGLFunctions* gl);

private:
    std::shared_ptr<const QmlVlcI420Frame> m_frame;
    GLuint m_planeTexIds[3] = {0, 0, 0};
};
