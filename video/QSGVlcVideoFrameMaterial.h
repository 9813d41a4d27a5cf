#pragma once

#include <memory>

#include <QOpenGLFunctions>
#include <QSGMaterial>

#include "QmlVlcFrameTextures.h"
#include "QmlVlcI420Frame.h"

class QSGVlcVideoFrameMaterial : public QSGMaterial
{
public:
    QSGVlcVideoFrameMaterial();

    QSGMaterialType* type() const override;
    QSGMaterialShader* createShader() const override;
    int compare(const QSGMaterial* other) const override;

    // A frame of the given output; the output decides which textures it uses.
    void setFrame(quint64 outputId, const std::shared_ptr<const QmlVlcI420Frame>& frame);
    bool bt709() const { return m_bt709; }
    bool fullRange() const { return m_fullRange; }

    // Render thread: uploads a pending frame unless another surface of the
    // same output did already, otherwise rebinds the textures. Leaves
    // texture unit 0 active.
    void bindPlanes(QOpenGLFunctions* gl);

private:
    quint64 m_outputId = 0;
    uint64_t m_serial = 0;
    bool m_bt709 = false;
    bool m_fullRange = false;
    std::shared_ptr<const QmlVlcI420Frame> m_frame;
    std::shared_ptr<QmlVlcFrameTextures> m_textures;
};
