#include "gfx/TextureFile.h"

#include "gfx/Gfx.h"
#include "image/PictureFile.h"

Result<Texture> loadTexture(Gfx& g, const std::string& path, bool mipmapped)
{
    const Result<Picture> picture = decodePicture(path);
    if (!picture) return Failure{"cannot load a picture: " + picture.message()};
    const Picture& p = picture.value();
    return g.createTexture({.width = p.width, .height = p.height, .mipmapped = mipmapped, .repeat = true},
                           p.rgba.data());
}
