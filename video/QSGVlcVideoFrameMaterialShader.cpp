#include "QSGVlcVideoFrameMaterialShader.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>

#include "QSGVlcVideoFrameMaterial.h"

namespace {
// Y'CbCr to RGB for the fragment shader's row vector (Y - 1/16, U - 1/2,
// V - 1/2, 1): rows are the Y, U and V coefficients and a constant term,
// which for full range puts back the 1/16 the shader takes from Y.
QMatrix4x4 yuvToRgb(float kr, float kb, bool fullRange)
{
    const float kg = 1.f - kr - kb;
    const float yScale = fullRange ? 1.f : 255.f / 219.f;
    const float cScale = fullRange ? 1.f : 255.f / 224.f;
    const float rV = 2.f * (1.f - kr) * cScale;
    const float bU = 2.f * (1.f - kb) * cScale;
    const float gU = -bU * kb / kg;
    const float gV = -rV * kr / kg;
    const float offset = fullRange ? 16.f / 256.f : 0.f;
    return QMatrix4x4(yScale, yScale, yScale, 0.f,
                      0.f, gU, bU, 0.f,
                      rV, gV, 0.f, 0.f,
                      offset, offset, offset, 1.f);
}

const QMatrix4x4& rgbMatrix(bool bt709, bool fullRange)
{
    static const QMatrix4x4 matrices[4] = {
        yuvToRgb(0.299f, 0.114f, false),
        yuvToRgb(0.299f, 0.114f, true),
        yuvToRgb(0.2126f, 0.0722f, false),
        yuvToRgb(0.2126f, 0.0722f, true),
    };
    return matrices[(bt709 ? 2 : 0) + (fullRange ? 1 : 0)];
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
    auto* material = static_cast<QSGVlcVideoFrameMaterial*>(newMaterial);
    program()->setUniformValue(m_rgbMatrixId, rgbMatrix(material->bt709(), material->fullRange()));
    program()->setUniformValue(m_yPlaneTexId, 0);
    program()->setUniformValue(m_uPlaneTexId, 1);
    program()->setUniformValue(m_vPlaneTexId, 2);
    material->bindPlanes(QOpenGLContext::currentContext()->functions());
}
