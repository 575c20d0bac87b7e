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
ShaderProgram buildDreamvision(std::vector<std::string>& failures);
ShaderProgram buildPhong(std::vector<std::string>& failures);
ShaderProgram buildPhongParticles(std::vector<std::string>& failures);
ShaderProgram buildDetourage(std::vector<std::string>& failures);
ShaderProgram buildOndeDeChoc(std::vector<std::string>& failures);
ShaderProgram buildBlackAndWhite(std::vector<std::string>& failures);
ShaderProgram buildOutline(std::vector<std::string>& failures);

// Makes "détourage" current for a cut-out surface: its colour from `picture` on texture unit 0,
// cut away where the red of `stencil` on unit 1 reaches `threshold`. Texturing is on for both
// units; unit 1 stays the active one.
void beginCutOut(const ShaderProgram& detourage, float threshold, GLuint picture, GLuint stencil);
// Unbinds and disables both units' textures, unit 0 active again, and no program current.
void endCutOut();
