#include "gfx/ShaderInputs.h"

#include <cmath>

#include "gfx/Device.h"

namespace {

// Normalised as the fixed-function state normalises light vectors: by 1 / sqrt of the
// squared length, in single precision; a zero vector stays zero.
std::array<float, 3> normalised(std::array<float, 3> v)
{
    float length = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (length != 0.0f) {
        length = 1.0f / std::sqrt(length);
        for (float& c : v) c *= length;
    }
    return v;
}

std::array<float, 4> product(const std::array<float, 4>& light, const std::array<float, 4>& material)
{
    return {light[0] * material[0], light[1] * material[1], light[2] * material[2], material[3]};
}

}  // namespace

ShaderInputs shaderInputs(const DrawState& state, const Mat4& modelView, const Mat4& projection, const Shading& s)
{
    ShaderInputs in;
    in.modelView = modelView;
    in.modelViewProjection = projection * modelView;
    in.lighting = static_cast<int32_t>(state.lighting);
    in.lit = state.lighting != Lighting::Off || state.program;
    if (in.lit) {
        in.normalMatrix = normalMatrix(modelView);
        in.lightPosition = s.lightPosition;
        in.lightDirection = normalised({s.lightPosition[0], s.lightPosition[1], s.lightPosition[2]});
        in.halfVector = normalised({in.lightDirection[0], in.lightDirection[1], in.lightDirection[2] + 1.0f});
        in.sceneColour = {s.modelAmbient[0] * s.materialAmbient[0], s.modelAmbient[1] * s.materialAmbient[1],
                          s.modelAmbient[2] * s.materialAmbient[2], s.materialDiffuse[3]};
        in.modelAmbient = s.modelAmbient;
        in.lightAmbient = s.lightAmbient;
        in.lightDiffuse = s.lightDiffuse;
        in.lightSpecular = s.lightSpecular;
        in.ambientProduct = product(s.lightAmbient, s.materialAmbient);
        in.diffuseProduct = product(s.lightDiffuse, s.materialDiffuse);
        in.specularProduct = product(s.lightSpecular, s.materialSpecular);
        in.shininess = s.shininess;
        in.materialAmbient = s.materialAmbient;
        in.materialDiffuse = s.materialDiffuse;
        in.materialSpecular = s.materialSpecular;
    }
    in.fog = state.fog;
    if (in.fog) {
        // As the fixed-function state folds its linear fog from 0 to the end into one step.
        in.fogScale = s.fogEnd == 0.0f ? 1.0f : -1.0f / (s.fogEnd - 0.0f);
        in.fogOffset = s.fogEnd * -in.fogScale;
    }
    return in;
}
