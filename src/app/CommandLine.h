#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks of orvale-invit. Unset choices are left to the setup dialog
// (or its defaults, without the dialog).
struct LaunchOptions {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    std::optional<bool> fullScreen;  // --fullscreen / --window
    std::optional<int32_t> width;    // --size WxH
    std::optional<int32_t> height;
    std::optional<int32_t> display;  // --display N, 0-based
    bool dialog = true;              // --no-dialog, or a size the dialog does not offer
    bool vsync = true;               // --no-vsync
    bool mute = false;               // --mute
};

// The smallest and largest window sizes taken, in pixels.
inline constexpr int32_t kMinWidth = 160, kMinHeight = 90;
inline constexpr int32_t kMaxWidth = 7680, kMaxHeight = 4320;

// The options after the program's name; a bad one gives the one line that names the problem.
struct ParsedCommandLine {
    LaunchOptions options;
    std::string problem;  // empty when every option was understood
};
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Every option with what it does, for --help and usage errors.
std::string usageText();
