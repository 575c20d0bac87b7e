#pragma once

#include <string>

// Draws the setup dialog's banner (392 x 125 pixels) into the PNG file at path.
bool drawBanner(const std::string& path);
