#include "QSGVlcVideoFrameMaterialShader.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>

#include "QSGVlcVideoFrameMaterial.h"

namespace {
// ITU-R BT.601, limited range; rows as applied to the fragment shader's row vector.
const QMatrix4x4& rgbMatrix()
{
    static const QMatrix4x4 matrix(1.164f, 1.164f, 1.164f, 0.f,
                                   0.f, -0.391f, 2.018f, 0.f,
                                   1.596f, -0.813f, 0.f, 0.f,
                                   0.f, 0.f, 0.f, 1.f);
    return matrix;
}
} // namespace

const char* const* QSGVlcVideoFrameMaterialShader::attributeNames() const
{
    static const char* const names[] = {"a_vertex", "a_texCoord", nullptr};
    return names;
}

const char* QSGVlcVideoFrameMaterialShader::vertexShader() const
{
    return "uniform highp mat4 matrix;"
           "attribute highp vec4 a_vertex;"
           "attribute highp vec2 a_texCoord;"
           "varying highp vec2 v_texCoord;"
           "void main() {"
           "    v_texCoord = a_texCoord;"
           "    gl_Position = matrix * a_vertex;"
           "}";
}

const char* QSGVlcVideoFrameMaterialShader::fragmentShader() const
{
    return "uniform mediump mat4 rgbMatrix;"
           "uniform lowp float opacity;"
           "uniform sampler2D yPlaneTex;"
           "uniform sampler2D uPlaneTex;"
           "uniform sampler2D vPlaneTex;"
           "varying highp vec2 v_texCoord;"
           "void main() {"
           "    mediump float y = texture2D( yPlaneTex, v_texCoord ).r;"
           "    mediump float u = texture2D( uPlaneTex, v_texCoord ).r;"
           "    mediump float v = texture2D( vPlaneTex, v_texCoord ).r;"
           "    gl_FragColor = vec4( y - .0625, u - .5, v - .5, 1. ) * rgbMatrix * opacity;"
           "}";
}

void QSGVlcVideoFrameMaterialShader::initialize()
{
    m_matrixId = program()->uniformLocation("matrix");
    m_rgbMatrixId = program()->uniformLocation("rgbMatrix");
    m_opacityId = program()->uniformLocation("opacity");
    m_yPlaneTexId = program()->uniformLocation("yPlaneTex");
    m_uPlaneTexId = program()->uniformLocation("uPlaneTex");
    m_vPlaneTexId = program()->uniformLocation("vPlaneTex");
}

void QSGVlcVideoFrameMaterialShader::updateState(const RenderState& state, QSGMaterial* newMaterial,
                                                 QSGMaterial*)
{
    if (state.isOpacityDirty())
        program()->setUniformValue(m_opacityId, state.opacity());
    if (state.isMatrixDirty())
        program()->setUniformValue(m_matrixId, state.combinedMatrix());
    program()->setUniformValue(m_rgbMatrixId, rgbMatrix());
    program()->setUniformValue(m_yPlaneTexId, 0);
    program()->setUniformValue(m_uPlaneTexId, 1);
    program()->setUniformValue(m_vPlaneTexId, 2);
    static_cast<QSGVlcVideoFrameMaterial*>(newMaterial)->bindPlanes(QOpenGLContext::currentContext()->functions());
}
