// Any bytes as a picture file's content: refused with a reason, or decoded into exactly the
// RGBA pixels its header announced.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "image/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Result<Picture> decoded = decodePictureBytes(data, size);
    if (decoded) {
        const Picture& picture = decoded.value();
        if (picture.width < 1 || picture.height < 1 || picture.width > kMaxPictureSide ||
            picture.height > kMaxPictureSide ||
            picture.rgba.size() != static_cast<size_t>(picture.width) * picture.height * 4)
            std::abort();
    } else if (decoded.message().empty()) {
        std::abort();  // a refusal must say why
    }
    return 0;
}
