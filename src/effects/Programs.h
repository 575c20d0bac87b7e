#pragma once

#include <string>
#include <vector>

#include "gfx/ShaderProgram.h"

// The six programs and a batched form of "phong", built during loading.
struct Programs {
    ShaderProgram dreamvision;    // "dreamvision": soft diagonal glow
    ShaderProgram phong;          // "phong": per-pixel spot-light shading
    ShaderProgram phongParticles; // "phong" for a batch of lit particles, each carrying its corner and tint
    ShaderProgram detourage;      // "détourage": threshold cut-out between two pictures
    ShaderProgram ondeDeChoc;     // "onde de choc": ring-shaped shock-wave distortion
    ShaderProgram blackAndWhite;  // "black and white": pen hatching by brightness
    ShaderProgram outline;        // "outline": tinted edge detection
};

// Each builds one of the programs from its embedded sources; compile and link errors are
// added to `failures`.
ShaderProgram buildDreamvision(Device& device, std::vector<std::string>& failures);
ShaderProgram buildPhong(Device& device, std::vector<std::string>& failures);
ShaderProgram buildPhongParticles(Device& device, std::vector<std::string>& failures);
ShaderProgram buildDetourage(Device& device, std::vector<std::string>& failures);
ShaderProgram buildOndeDeChoc(Device& device, std::vector<std::string>& failures);
ShaderProgram buildBlackAndWhite(Device& device, std::vector<std::string>& failures);
ShaderProgram buildOutline(Device& device, std::vector<std::string>& failures);
