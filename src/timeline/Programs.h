#pragma once

#include "timeline/ShaderProgram.h"

// The six programs, built during loading and released at exit; null before and after.
extern ShaderProgram* dreamvisionProgram;    // "dreamvision": soft diagonal glow
extern ShaderProgram* phongProgram;          // "phong": per-pixel spot-light shading
extern ShaderProgram* detourageProgram;      // "détourage": threshold cut-out between two pictures
extern ShaderProgram* ondeDeChocProgram;     // "onde de choc": ring-shaped shock-wave distortion
extern ShaderProgram* blackAndWhiteProgram;  // "black and white": pen hatching by brightness
extern ShaderProgram* outlineProgram;        // "outline": tinted edge detection

// Builds one of the programs from its embedded sources into a new object.
ShaderProgram* buildDreamvision();
ShaderProgram* buildPhong();
ShaderProgram* buildDetourage();
ShaderProgram* buildOndeDeChoc();
ShaderProgram* buildBlackAndWhite();
ShaderProgram* buildOutline();

// Releases and deletes the program if there is one, and forgets it.
void releaseProgram(ShaderProgram*& program);
