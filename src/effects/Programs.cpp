#include "effects/Programs.h"

#include "effects/EmbeddedShaders.h"

namespace {

ShaderProgram filter(Device& device, const char* fragment, const char* name, std::vector<std::string>& failures)
{
    return ShaderProgram::build(device, kFilterVert, fragment, name, failures);
}

}  // namespace

ShaderProgram buildDreamvision(Device& device, std::vector<std::string>& failures)
{
    return filter(device, kDreamvisionFrag, "dreamvision", failures);
}
ShaderProgram buildPhong(Device& device, std::vector<std::string>& failures)
{
    return ShaderProgram::build(device, kPhongVert, (std::string(kPhongMaterialFrag) + kPhongFrag).c_str(), "phong",
                                failures);
}
ShaderProgram buildPhongParticles(Device& device, std::vector<std::string>& failures)
{
    return ShaderProgram::build(device, kPhongParticlesVert, (std::string(kPhongParticlesFrag) + kPhongFrag).c_str(),
                                "phong (particles)", failures);
}
ShaderProgram buildDetourage(Device& device, std::vector<std::string>& failures)
{
    // Its colour from unit 0, the cut from unit 1.
    constexpr SamplerUnit kSamplers[] = {{"colorMap", 0}, {"alphaMap", 1}};
    return ShaderProgram::build(device, kFilterVert, kDetourageFrag, "détourage", failures, kSamplers);
}
ShaderProgram buildOndeDeChoc(Device& device, std::vector<std::string>& failures)
{
    return filter(device, kOndeDeChocFrag, "onde de choc", failures);
}
ShaderProgram buildBlackAndWhite(Device& device, std::vector<std::string>& failures)
{
    return filter(device, kBlackAndWhiteFrag, "black and white", failures);
}
ShaderProgram buildOutline(Device& device, std::vector<std::string>& failures)
{
    return filter(device, kOutlineFrag, "outline", failures);
}
