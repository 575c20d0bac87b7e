#pragma once

#include <string>

// Each function draws one picture (or one family of pictures) of the intro into the files
// named by the intro, inside dir (the build tree's data/gfx), and returns false when a file
// cannot be written.
bool drawBitmapFont(const std::string& dir);
bool drawLogoLayers(const std::string& dir);
bool drawScreenEffects(const std::string& dir);  // overlay and flash
bool drawTunnelWall(const std::string& dir);
bool drawSpeechBubbles(const std::string& dir);
bool drawPoster(const std::string& dir);
// The setup dialog's banner, 392 x 125 pixels in 256 colours, written to path (a PNG) and as
// a Windows bitmap beside it (the same name ending in .bmp).
bool drawBanner(const std::string& path);
// The program's icon for desktop menus, 256 x 256 pixels, written to path.
bool drawIcon(const std::string& path);
