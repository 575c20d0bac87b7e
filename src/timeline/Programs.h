#pragma once

#include "timeline/ShaderProgram.h"

// The six programs (and a batched form of "phong"), built during loading and released at exit; null before and after.
extern ShaderProgram* dreamvisionProgram;    // "dreamvision": soft diagonal glow
extern ShaderProgram* phongProgram;          // "phong": per-pixel spot-light shading
extern ShaderProgram* detourageProgram;      // "détourage": threshold cut-out between two pictures
extern ShaderProgram* ondeDeChocProgram;     // "onde de choc": ring-shaped shock-wave distortion
extern ShaderProgram* blackAndWhiteProgram;  // "black and white": pen hatching by brightness
extern ShaderProgram* outlineProgram;        // "outline": tinted edge detection
// "phong" for a batch of lit particles, each vertex carrying its particle's corner and tint.
extern ShaderProgram* phongParticlesProgram;

// Builds one of the programs from its embedded sources into a new object.
ShaderProgram* buildDreamvision();
ShaderProgram* buildPhong();
ShaderProgram* buildDetourage();
ShaderProgram* buildOndeDeChoc();
ShaderProgram* buildBlackAndWhite();
ShaderProgram* buildOutline();
ShaderProgram* buildPhongParticles();

// Releases and deletes the program if there is one, and forgets it.
void releaseProgram(ShaderProgram*& program);

// Makes "détourage" current for a cut-out surface: its colour from `picture` on texture unit 0,
// cut away where the red of `stencil` on unit 1 reaches `threshold`. Texturing is on for both
// units; unit 1 stays the active one.
void beginCutOut(float threshold, GLuint picture, GLuint stencil);
// Unbinds and disables both units' textures, unit 0 active again, and no program current.
void endCutOut();
