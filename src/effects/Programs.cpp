#include "effects/Programs.h"

#include "effects/EmbeddedShaders.h"

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
    return ShaderProgram::build(device, kFilterVert, kOndeDeChocFrag, "onde de choc", failures);
}
ShaderProgram buildComposition(Device& device, Composition composition, bool overlaid,
                               std::vector<std::string>& failures)
{
    // The filters' functions, then the pass that sums what the composition uses of them.
    static constexpr const char* kNames[kCompositions][2] = {
        {"composition (laid)", "composition (laid, overlaid)"},
        {"composition (glow)", "composition (glow, overlaid)"},
        {"composition (glow, hatched)", "composition (glow, hatched, overlaid)"},
        {"composition (glow, hatched, outlined)", "composition (glow, hatched, outlined, overlaid)"}};
    static constexpr const char* kDefines[kCompositions] = {"#define LAID\n", "#define GLOW\n",
                                                            "#define GLOW\n#define HATCH\n",
                                                            "#define GLOW\n#define HATCH\n#define OUTLINE\n"};
    const size_t c = static_cast<size_t>(composition);
    const std::string fragment = std::string(kDefines[c]) + (overlaid ? "#define OVERLAID\n" : "") +
                                 kDreamvisionFrag + kBlackAndWhiteFrag + kOutlineFrag + kComposeFrag;
    constexpr SamplerUnit kSamplers[] = {{"sceneTex", 0}, {"glowTex", 1}, {"overlayTex", 2}};
    return ShaderProgram::build(device, kComposeVert, fragment.c_str(), kNames[c][overlaid ? 1 : 0], failures,
                                kSamplers);
}
