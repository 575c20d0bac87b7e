#include "text/FontFile.h"

#include <windows.h>

#include <cctype>
#include <system_error>

namespace {

// The file names Windows installs a family's four styles under: regular, bold, italic, bold italic.
struct InstalledFamily {
    const char* family;
    const char* files[4];
};
constexpr InstalledFamily kInstalled[] = {
    {"Verdana", {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"}},
};

bool sameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

bool isFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::filesystem::path systemFontsFolder()
{
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::filesystem::path(windows) / "Fonts";
}

}  // namespace

FontFile findFontFile(const char* family, bool bold, bool italic, const std::filesystem::path& bundled)
{
    const int style = (bold ? 1 : 0) + (italic ? 2 : 0);
    for (const InstalledFamily& installed : kInstalled) {
        if (!sameName(family, installed.family)) continue;
        const std::filesystem::path path = systemFontsFolder() / installed.files[style];
        if (isFile(path)) return {path.string(), installed.family};
    }
    // The bundled face has one style, as a system without the family would offer.
    const std::filesystem::path path = bundled / "DejaVuSans.ttf";
    if (isFile(path)) return {path.string(), "DejaVu Sans"};
    return {};
}
