#include "gfx/TextureFile.h"

#include "gfx/Glu.h"

#include "gfx/PictureFile.h"

Result<Texture> loadTexture(const std::string& path, bool mipmapped)
{
    Picture picture;
    std::string error;
    if (!decodePicture(path, picture, error)) return Failure{"cannot load a picture: " + error};

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (!mipmapped) {
        glTexImage2D(GL_TEXTURE_2D, 0, 4, picture.width, picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     picture.rgba.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE,
                          picture.rgba.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return Texture(name);
}
