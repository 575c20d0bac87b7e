#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gfx/gl/GLDevice.h"

// What the command line asks of orvale-invit. Unset choices are left to the setup dialog
// (or its defaults, without the dialog).
struct LaunchOptions {
    enum class Action { Run, Check, Help, Version };
    Action action = Action::Run;
    std::optional<bool> fullScreen;  // --fullscreen / --window
    bool modeChange = false;         // --mode-change: full screen through a display-mode change
    std::optional<int32_t> width;    // --size WxH
    std::optional<int32_t> height;
    std::optional<int32_t> display;  // --display N, 0-based
    bool dialog = true;              // --no-dialog, or a size the dialog does not offer
    bool vsync = true;               // --no-vsync
    bool mute = false;               // --mute
    bool fewerFlashes = false;       // --fewer-flashes
    bool loop = false;               // --loop
    int32_t startMs = 0;             // --start MS: demo time of the first frame shown
    int32_t avOffsetMs = 0;          // --av-offset MS: positive shows the picture later than the music
    GLApi gl = GLApi::Core;          // --gl core|es
};

// The smallest and largest window sizes taken, in pixels.
inline constexpr int32_t kMinWidth = 160, kMinHeight = 90;
inline constexpr int32_t kMaxWidth = 7680, kMaxHeight = 4320;

// --start takes demo times on this grid, up to the intro's end, in milliseconds.
inline constexpr int32_t kStartStepMs = 50, kLastStartMs = 206000;
inline constexpr int32_t kMaxAvOffsetMs = 1000;

// The options after the program's name; a bad one gives the one line that names the problem.
struct ParsedCommandLine {
    LaunchOptions options;
    std::string problem;  // empty when every option was understood
};
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Every option with what it does, for --help and usage errors.
std::string usageText();
