#include <cstring>

#include "gfx/gl/GLBackend.h"

void GLDevice::use(Program& p)
{
    if (currentProgram_ == p.name) return;
    gl_.UseProgram(p.name);
    currentProgram_ = p.name;
}

void GLDevice::bindTexture(GLuint unit, TextureId texture)
{
    if (boundTextures_[unit] == texture.name) return;
    gl_.ActiveTexture(GL_TEXTURE0 + unit);
    gl_.BindTexture(GL_TEXTURE_2D, texture.name);
    gl_.ActiveTexture(GL_TEXTURE0);
    boundTextures_[unit] = texture.name;
}

void GLDevice::setState(const DrawState& state)
{
    const int blend = static_cast<int>(state.blend);
    if (blend != blend_) {
        switch (state.blend) {
        case Blend::Off: gl_.Disable(GL_BLEND); break;
        case Blend::Alpha: gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
        case Blend::Additive: gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE); break;
        case Blend::Multiply: gl_.BlendFunc(GL_DST_COLOR, GL_ZERO); break;
        }
        if (state.blend != Blend::Off && (blend_ <= 0)) gl_.Enable(GL_BLEND);
        blend_ = blend;
    }
    if (depthTest_ != static_cast<int>(state.depthTest)) {
        if (state.depthTest)
            gl_.Enable(GL_DEPTH_TEST);
        else
            gl_.Disable(GL_DEPTH_TEST);
        depthTest_ = state.depthTest;
    }
    if (depthWrite_ != static_cast<int>(state.depthWrite)) {
        gl_.DepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
        depthWrite_ = state.depthWrite;
    }
    // A program samples what the state names on all three units, nothing included (which reads
    // black); the built-in shading samples unit 0 when textured.
    if (state.program || state.texture) bindTexture(0, state.texture);
    if (state.program)
        for (size_t i = 0; i < state.moreTextures.size(); ++i)
            bindTexture(static_cast<GLuint>(i + 1), state.moreTextures[i]);
}

void GLDevice::set(Program& p, Slot slot, const float* values, int count)
{
    const GLint location = p.slots[slot];
    if (location < 0) return;
    if (p.known[slot] && std::memcmp(p.last[slot], values, sizeof(float) * static_cast<size_t>(count)) == 0) return;
    std::memcpy(p.last[slot], values, sizeof(float) * static_cast<size_t>(count));
    p.known[slot] = true;
    switch (count) {
    case 1: gl_.Uniform1fv(location, 1, values); break;
    case 2: gl_.Uniform2fv(location, 1, values); break;
    case 3: gl_.Uniform3fv(location, 1, values); break;
    case 4: gl_.Uniform4fv(location, 1, values); break;
    case 9: gl_.UniformMatrix3fv(location, 1, GL_FALSE, values); break;
    case 16: gl_.UniformMatrix4fv(location, 1, GL_FALSE, values); break;
    default: break;
    }
}

void GLDevice::setInt(Program& p, Slot slot, int value)
{
    const GLint location = p.slots[slot];
    if (location < 0) return;
    const auto asFloat = static_cast<float>(value);
    if (p.known[slot] && p.last[slot][0] == asFloat) return;
    p.last[slot][0] = asFloat;
    p.known[slot] = true;
    gl_.Uniform1i(location, value);
}

void GLDevice::setUniforms(Program& p, const DrawCall& call, bool lines)
{
    const ShaderInputs& in = call.inputs;
    set(p, kModelViewProjection, in.modelViewProjection.m.data(), 16);
    set(p, kModelView, in.modelView.m.data(), 16);
    setInt(p, kLighting, in.lighting);
    if (in.lit) {
        set(p, kNormalMatrix, in.normalMatrix.data(), 9);
        set(p, kLightPosition, in.lightPosition.data(), 4);
        set(p, kLightDirection, in.lightDirection.data(), 3);
        set(p, kHalfVector, in.halfVector.data(), 3);
        set(p, kSceneColour, in.sceneColour.data(), 4);
        set(p, kModelAmbient, in.modelAmbient.data(), 4);
        set(p, kLightAmbient, in.lightAmbient.data(), 4);
        set(p, kLightDiffuse, in.lightDiffuse.data(), 4);
        set(p, kLightSpecular, in.lightSpecular.data(), 4);
        set(p, kAmbientProduct, in.ambientProduct.data(), 4);
        set(p, kDiffuseProduct, in.diffuseProduct.data(), 4);
        set(p, kSpecularProduct, in.specularProduct.data(), 4);
        set(p, kShininess, &in.shininess, 1);
        set(p, kMaterialAmbient, in.materialAmbient.data(), 4);
        set(p, kMaterialDiffuse, in.materialDiffuse.data(), 4);
        set(p, kMaterialSpecular, in.materialSpecular.data(), 4);
    }
    if (in.fog) {
        set(p, kFogScale, &in.fogScale, 1);
        set(p, kFogOffset, &in.fogOffset, 1);
    }
    const DrawState& state = call.state;
    if (lines) {
        const float halfWidth = static_cast<float>(viewport_.width) * 0.5f;
        const float halfHeight = static_cast<float>(viewport_.height) * 0.5f;
        const float scale[2] = {halfWidth, halfHeight};
        const float offset[2] = {halfWidth + static_cast<float>(viewport_.x),
                                 halfHeight + static_cast<float>(viewport_.y)};
        set(p, kViewportScale, scale, 2);
        set(p, kViewportOffset, offset, 2);
        set(p, kLineWidth, &state.lineWidth, 1);
        setInt(p, kSmoothLines, state.smoothLines ? 1 : 0);
    }
    if (state.program) setOwnUniforms(p, state.uniforms);
}
