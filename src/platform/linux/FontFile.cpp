#include "text/FontFile.h"

#include <fontconfig/fontconfig.h>

FontFile findFontFile(const char* family, bool bold, bool italic, const std::filesystem::path&)
{
    FontFile found;
    if (!FcInit()) return found;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BLACK : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return found;
    FcChar8* path = nullptr;
    FcChar8* name = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        found.path = reinterpret_cast<const char*>(path);
        found.family = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
    return found;
}
