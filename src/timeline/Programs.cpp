#include "timeline/Programs.h"

#include "timeline/EmbeddedShaders.h"

ShaderProgram* dreamvisionProgram = nullptr;
ShaderProgram* phongProgram = nullptr;
ShaderProgram* detourageProgram = nullptr;
ShaderProgram* ondeDeChocProgram = nullptr;
ShaderProgram* blackAndWhiteProgram = nullptr;
ShaderProgram* outlineProgram = nullptr;
ShaderProgram* phongParticlesProgram = nullptr;

namespace {
ShaderProgram* build(const char* vertexSource, const char* fragmentSource, const char* name,
                     const char* fragmentPrelude = nullptr)
{
    auto* program = new ShaderProgram;
    program->build(vertexSource, fragmentSource, name, fragmentPrelude);
    return program;
}
}  // namespace

ShaderProgram* buildDreamvision() { return build(kCommonVert, kDreamvisionFrag, "dreamvision"); }
ShaderProgram* buildPhong() { return build(kPhongVert, kPhongFrag, "phong", kPhongStateFrag); }
ShaderProgram* buildDetourage() { return build(kCommonVert, kDetourageFrag, "détourage"); }
ShaderProgram* buildOndeDeChoc() { return build(kCommonVert, kOndeDeChocFrag, "onde de choc"); }
ShaderProgram* buildBlackAndWhite() { return build(kCommonVert, kBlackAndWhiteFrag, "black and white"); }
ShaderProgram* buildOutline() { return build(kCommonVert, kOutlineFrag, "outline"); }
ShaderProgram* buildPhongParticles()
{
    return build(kPhongParticlesVert, kPhongFrag, "phong (particles)", kPhongParticlesFrag);
}

void releaseProgram(ShaderProgram*& program)
{
    if (!program) return;
    program->release();
    delete program;
    program = nullptr;
}

void beginCutOut(float threshold, GLuint picture, GLuint stencil)
{
    if (detourageProgram) {
        detourageProgram->use();
        detourageProgram->setUniform("dval", threshold);
        detourageProgram->setUniform("colorMap", 0);
    }
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    if (detourageProgram) detourageProgram->setUniform("alphaMap", 1);
    glBindTexture(GL_TEXTURE_2D, stencil);
}

void endCutOut()
{
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glUseProgram(0);
}
