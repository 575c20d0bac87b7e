#include "gfx/TextureFile.h"

#include "gfx/Gfx.h"
#include "gfx/PictureFile.h"

Result<Texture> loadTexture(Gfx& g, const std::string& path, bool mipmapped)
{
    Picture picture;
    std::string error;
    if (!decodePicture(path, picture, error)) return Failure{"cannot load a picture: " + error};
    return g.createTexture({.width = picture.width, .height = picture.height, .mipmapped = mipmapped, .repeat = true},
                           picture.rgba.data());
}
