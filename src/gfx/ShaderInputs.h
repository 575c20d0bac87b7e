#pragma once

#include <array>
#include <cstdint>

#include "gfx/DrawState.h"
#include "math/Matrix.h"

struct Shading;

// What the built-in shading and a program receive for one draw besides its vertices and
// textures: the matrices, and light 0, the material and the fog worked out as the
// fixed-function pipeline works them out. The drawing layer computes them for every draw, so
// that each backend is given the same numbers and a recording shows them.
struct ShaderInputs {
    Mat4 modelView = Mat4::identity();
    Mat4 modelViewProjection = Mat4::identity();
    int32_t lighting = 0;  // the draw's Lighting as the shading reads it

    // Given where the draw is lit or has a program of its own; zero elsewhere.
    bool lit = false;
    std::array<float, 9> normalMatrix{};  // the modelview's inverse transpose, column-major
    std::array<float, 4> lightPosition{};
    std::array<float, 3> lightDirection{};  // towards the light, unit length
    std::array<float, 3> halfVector{};      // between it and the eye's direction, unit length
    std::array<float, 4> sceneColour{};     // the model's ambient on the material's, alpha the diffuse's
    std::array<float, 4> modelAmbient{};
    std::array<float, 4> lightAmbient{};
    std::array<float, 4> lightDiffuse{};
    std::array<float, 4> lightSpecular{};
    std::array<float, 4> ambientProduct{};  // the light's colours on the material's, alpha the material's
    std::array<float, 4> diffuseProduct{};
    std::array<float, 4> specularProduct{};
    std::array<float, 4> materialAmbient{};
    std::array<float, 4> materialDiffuse{};
    std::array<float, 4> materialSpecular{};
    float shininess = 0;

    // Given where the draw is fogged: the fog factor is eye depth × scale + offset.
    bool fog = false;
    float fogScale = 0;
    float fogOffset = 0;
};

// The inputs of a draw in the given state under the given matrices and shading.
ShaderInputs shaderInputs(const DrawState& state, const Mat4& modelView, const Mat4& projection,
                          const Shading& shading);
