#include "gfx/Programs.h"

#include "gfx/EmbeddedShaders.h"

ShaderProgram buildDreamvision(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kCommonVert, kDreamvisionFrag, "dreamvision", nullptr, failures);
}
ShaderProgram buildPhong(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kPhongVert, kPhongFrag, "phong", kPhongStateFrag, failures);
}
ShaderProgram buildPhongParticles(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kPhongParticlesVert, kPhongFrag, "phong (particles)", kPhongParticlesFrag, failures);
}
ShaderProgram buildDetourage(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kCommonVert, kDetourageFrag, "détourage", nullptr, failures);
}
ShaderProgram buildOndeDeChoc(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kCommonVert, kOndeDeChocFrag, "onde de choc", nullptr, failures);
}
ShaderProgram buildBlackAndWhite(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kCommonVert, kBlackAndWhiteFrag, "black and white", nullptr, failures);
}
ShaderProgram buildOutline(std::vector<std::string>& failures)
{
    return ShaderProgram::build(kCommonVert, kOutlineFrag, "outline", nullptr, failures);
}

void beginCutOut(const ShaderProgram& detourage, float threshold, GLuint picture, GLuint stencil)
{
    detourage.setUniform("dval", threshold);
    detourage.setUniform("colorMap", 0);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    detourage.setUniform("alphaMap", 1);
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
