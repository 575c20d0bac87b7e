#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ShaderProgram.h"

// What a window's composition puts over the frame in its one pass.
enum class Composition : uint8_t {
    Laid,                 // the scene's picture laid over the cleared grey by its alpha
    Glow,                 // "dreamvision" added onto the grey
    GlowHatched,          // "dreamvision" and "black and white" added
    GlowHatchedOutlined,  // "dreamvision", "black and white" and "outline" added
};
inline constexpr size_t kCompositions = 4;

// The scenes' programs, a batched form of "phong", and the compositions, built during loading.
struct Programs {
    ShaderProgram phong;          // "phong": per-pixel spot-light shading
    ShaderProgram phongParticles; // "phong" for a batch of lit particles, each carrying its corner and tint
    ShaderProgram detourage;      // "détourage": threshold cut-out between two pictures
    ShaderProgram ondeDeChoc;     // "onde de choc": ring-shaped shock-wave distortion
    // Each composition as it stands, then with the overlay multiplied in.
    std::array<std::array<ShaderProgram, 2>, kCompositions> composing;

    const ShaderProgram& composition(Composition c, bool overlaid) const
    {
        return composing[static_cast<size_t>(c)][overlaid ? 1 : 0];
    }
};

// Each builds one of the programs from its embedded sources; compile and link errors are
// added to `failures`.
ShaderProgram buildPhong(Device& device, std::vector<std::string>& failures);
ShaderProgram buildPhongParticles(Device& device, std::vector<std::string>& failures);
ShaderProgram buildDetourage(Device& device, std::vector<std::string>& failures);
ShaderProgram buildOndeDeChoc(Device& device, std::vector<std::string>& failures);
ShaderProgram buildComposition(Device& device, Composition composition, bool overlaid,
                               std::vector<std::string>& failures);
