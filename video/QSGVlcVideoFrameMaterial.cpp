#include "QSGVlcVideoFrameMaterial.h"

#include <QOpenGLContext>

#include "QSGVlcVideoFrameMaterialShader.h"

namespace {
enum Plane { Y = 0, U = 1, V = 2 };

void bindPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture)
{
    gl->glActiveTexture(unit);
    gl->glBindTexture(GL_TEXTURE_2D, texture);
}

void uploadPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture, GLsizei width, GLsizei height,
                 const char* plane)
{
    bindPlane(gl, unit, texture);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, width, height, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, plane);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}
} // namespace

QSGVlcVideoFrameMaterial::QSGVlcVideoFrameMaterial()
{
    setFlag(Blending, false);
}

QSGVlcVideoFrameMaterial::~QSGVlcVideoFrameMaterial()
{
    if (!m_planeTexIds[Y] && !m_planeTexIds[U] && !m_planeTexIds[V])
        return;
    if (QOpenGLContext* context = QOpenGLContext::currentContext())
        context->functions()->glDeleteTextures(3, m_planeTexIds);
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

int QSGVlcVideoFrameMaterial::compare(const QSGMaterial* other) const
{
    const auto* that = static_cast<const QSGVlcVideoFrameMaterial*>(other);
    for (int plane : {Y, U, V}) {
        const int diff = static_cast<int>(m_planeTexIds[plane]) - static_cast<int>(that->m_planeTexIds[plane]);
        if (diff != 0)
            return diff;
    }
    return 0;
}

void QSGVlcVideoFrameMaterial::bindPlanes(QOpenGLFunctions* gl)
{
    if (!m_planeTexIds[Y] && !m_planeTexIds[U] && !m_planeTexIds[V])
        gl->glGenTextures(3, m_planeTexIds);

    const std::shared_ptr<const QmlVlcI420Frame> frame = std::move(m_frame);
    m_frame.reset();
    if (frame) {
        const GLsizei w = frame->width;
        const GLsizei h = frame->height;
        uploadPlane(gl, GL_TEXTURE1, m_planeTexIds[U], w / 2, h / 2, frame->uPlane);
        uploadPlane(gl, GL_TEXTURE2, m_planeTexIds[V], w / 2, h / 2, frame->vPlane);
        uploadPlane(gl, GL_TEXTURE0, m_planeTexIds[Y], w, h, frame->yPlane);
    } else {
        bindPlane(gl, GL_TEXTURE1, m_planeTexIds[U]);
        bindPlane(gl, GL_TEXTURE2, m_planeTexIds[V]);
        bindPlane(gl, GL_TEXTURE0, m_planeTexIds[Y]);
    }
}
