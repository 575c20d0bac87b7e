#include "timeline/Programs.h"

#include "timeline/EmbeddedShaders.h"

ShaderProgram* dreamvisionProgram = nullptr;
ShaderProgram* phongProgram = nullptr;
ShaderProgram* detourageProgram = nullptr;
ShaderProgram* ondeDeChocProgram = nullptr;
ShaderProgram* blackAndWhiteProgram = nullptr;
ShaderProgram* outlineProgram = nullptr;

namespace {
ShaderProgram* build(const char* vertexSource, const char* fragmentSource, const char* name)
{
    auto* program = new ShaderProgram;
    program->build(vertexSource, fragmentSource, name);
    return program;
}
}  // namespace

ShaderProgram* buildDreamvision() { return build(kCommonVert, kDreamvisionFrag, "dreamvision"); }
ShaderProgram* buildPhong() { return build(kPhongVert, kPhongFrag, "phong"); }
ShaderProgram* buildDetourage() { return build(kCommonVert, kDetourageFrag, "détourage"); }
ShaderProgram* buildOndeDeChoc() { return build(kCommonVert, kOndeDeChocFrag, "onde de choc"); }
ShaderProgram* buildBlackAndWhite() { return build(kCommonVert, kBlackAndWhiteFrag, "black and white"); }
ShaderProgram* buildOutline() { return build(kCommonVert, kOutlineFrag, "outline"); }

void releaseProgram(ShaderProgram*& program)
{
    if (!program) return;
    program->release();
    delete program;
    program = nullptr;
}
