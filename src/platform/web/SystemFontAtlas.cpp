// The page has no system fonts and carries no font rasteriser (with them it would weigh a
// sixth more): its atlas stays empty, as anywhere no face is usable.
#include "text/SystemFontAtlas.h"

SystemFontAtlas::SystemFontAtlas(Gfx&, const char*, int height, bool, bool, const std::filesystem::path&)
    : cellHeight(static_cast<int32_t>(height * 1.333))
{
}
