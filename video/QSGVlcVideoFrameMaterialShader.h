#pragma once

#include <QSGMaterialShader>

class QSGVlcVideoFrameMaterialShader : public QSGMaterialShader
{
public:
    const char* const* attributeNames() const override;
    void updateState(const RenderState& state, QSGMaterial* newMaterial, QSGMaterial* oldMaterial) override;

protected:
    const char* vertexShader() const override;
    const char* fragmentShader() const override;
    void initialize() override;

private:
    int m_matrixId = -1;
    int m_rgbMatrixId = -1;
    int m_opacityId = -1;
    int m_yPlaneTexId = -1;
    int m_uPlaneTexId = -1;
    int m_vPlaneTexId = -1;
};
