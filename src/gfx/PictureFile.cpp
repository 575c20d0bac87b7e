#include "gfx/PictureFile.h"

#include <IL/il.h>

#include <cstring>
#include <filesystem>

namespace {

const char* describe(ILenum code)
{
    switch (code) {
    case IL_COULD_NOT_OPEN_FILE:
        return "cannot be opened";
    case IL_INVALID_EXTENSION:
    case IL_FORMAT_NOT_SUPPORTED:
        return "is not in a picture format the intro reads (PNG or JPEG)";
    case IL_OUT_OF_MEMORY:
        return "is too large to decode";
    case IL_LIB_PNG_ERROR:
    case IL_LIB_JPEG_ERROR:
    case IL_INVALID_FILE_HEADER:
    case IL_ILLEGAL_FILE_VALUE:
    case IL_INVALID_VALUE:
        return "is damaged or not the picture its name says";
    default:
        return "cannot be decoded";
    }
}

}  // namespace

bool decodePicture(const std::string& path, Picture& out, std::string& error)
{
    std::error_code status;
    if (!std::filesystem::is_regular_file(path, status)) {
        error = path + " is missing";
        return false;
    }

    ilInit();
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool ok = ilLoadImage(path.c_str()) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    if (ok) {
        out.width = ilGetInteger(IL_IMAGE_WIDTH);
        out.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const auto* data = ilGetData();
        ok = data && out.width > 0 && out.height > 0;
        if (ok) out.rgba.assign(data, data + static_cast<size_t>(out.width) * out.height * 4);
    }
    if (!ok) error = path + " " + describe(ilGetError());
    ilBindImage(0);
    ilDeleteImages(1, &image);
    return ok;
}
