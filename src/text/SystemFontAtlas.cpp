#include "text/SystemFontAtlas.h"

SystemFontAtlas* systemFontAtlas = nullptr;

SystemFontAtlas::SystemFontAtlas(const char*, int, bool, bool) {}
