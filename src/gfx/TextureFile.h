#pragma once

#include <string>

#include "core/Result.h"
#include "gfx/Texture.h"

class Gfx;

// Loads a PNG or JPEG picture into a new 2D RGBA texture (first row at the bottom), with a
// mipmap chain when asked. A picture that cannot be loaded gives "cannot load a picture: "
// followed by the file's path and what is wrong with it.
Result<Texture> loadTexture(Gfx& g, const std::string& path, bool mipmapped);
