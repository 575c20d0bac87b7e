#pragma once

#include <filesystem>
#include <string>

// A face file and the family it holds.
struct FontFile {
    std::string path;    // empty when no face was found
    std::string family;
};

// The installed face closest to a family in the asked style. On Linux fontconfig chooses (it
// falls back to an installed sans face); on Windows the family's own file in the system's
// fonts folder where it is installed, else the DejaVu Sans face in `bundled` (the data's
// fonts/ folder).
FontFile findFontFile(const char* family, bool bold, bool italic, const std::filesystem::path& bundled);
