#include "QSGVlcVideoFrameMaterial.h"

#include "QSGVlcVideoFrameMaterialShader.h"

namespace {
template <typename T>
int order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}
} // namespace

QSGVlcVideoFrameMaterial::QSGVlcVideoFrameMaterial()
{
    setFlag(Blending, false);
}

QSGMaterialType* QSGVlcVideoFrameMaterial::type() const
{
    static QSGMaterialType materialType;
    return &materialType;
}

QSGMaterialShader* QSGVlcVideoFrameMaterial::createShader() const
{
    return new QSGVlcVideoFrameMaterialShader;
}

// Materials of different outputs, or holding different frames, never
// compare equal, so the renderer never draws one with the other's textures.
int QSGVlcVideoFrameMaterial::compare(const QSGMaterial* other) const
{
    const auto* that = static_cast<const QSGVlcVideoFrameMaterial*>(other);
    if (const int byOutput = order(m_outputId, that->m_outputId))
        return byOutput;
    return order(m_serial, that->m_serial);
}

void QSGVlcVideoFrameMaterial::setFrame(quint64 outputId, const std::shared_ptr<const QmlVlcI420Frame>& frame)
{
    if (outputId != m_outputId)
        m_textures.reset();
    m_outputId = outputId;
    m_frame = frame;
    if (frame) {
        m_serial = frame->serial;
        m_bt709 = frame->bt709;
        m_fullRange = frame->fullRange;
    }
}

void QSGVlcVideoFrameMaterial::bindPlanes(QOpenGLFunctions* gl)
{
    if (!m_textures)
        m_textures = QmlVlcFrameTextures::forOutput(m_outputId);
    const std::shared_ptr<const QmlVlcI420Frame> frame = std::move(m_frame);
    m_frame.reset();
    m_textures->bind(gl, frame.get());
}
