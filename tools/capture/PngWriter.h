#pragma once

#include <string>

#include "RgbPicture.h"

// Writes the picture as a PNG file: 8-bit RGB, no alpha, a white background chunk, libpng's
// default compression and row filters. False, without a word on stderr (the caller names the file), when the file cannot
// be made or written to its end: a missing or read-only folder, a full disk. The file is
// closed either way; a partly written one is left where it is.
bool writePng(const std::string& path, const RgbPicture& picture);
