#include "app/CommandLine.h"

#include <cstdlib>

#include "app/DisplaySettings.h"

namespace {

bool parseNumber(const std::string& text, int64_t lowest, int64_t highest, int32_t& value)
{
    if (text.empty() || text.size() > 12) return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end || v < lowest || v > highest) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool parseSize(const std::string& text, int32_t& width, int32_t& height)
{
    const size_t x = text.find('x');
    return x != std::string::npos && parseNumber(text.substr(0, x), kMinWidth, kMaxWidth, width) &&
           parseNumber(text.substr(x + 1), kMinHeight, kMaxHeight, height);
}

bool offeredByTheDialog(int32_t width, int32_t height)
{
    for (const ResolutionChoice& choice : kResolutionChoices)
        if (choice.width == width && choice.height == height) return true;
    return false;
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    ParsedCommandLine parsed;
    LaunchOptions& o = parsed.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        // The options that take a value read it from the next argument.
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                parsed.problem = arg + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            o.action = LaunchOptions::Action::Help;
        } else if (arg == "--version") {
            o.action = LaunchOptions::Action::Version;
        } else if (arg == "--check") {
            o.action = LaunchOptions::Action::Check;
        } else if (arg == "--window") {
            o.fullScreen = false;
        } else if (arg == "--fullscreen") {
            o.fullScreen = true;
        } else if (arg == "--mode-change") {
            o.fullScreen = true;
            o.modeChange = true;
        } else if (arg == "--loop") {
            o.loop = true;
        } else if (arg == "--no-dialog") {
            o.dialog = false;
        } else if (arg == "--vsync") {
            o.vsync = true;
        } else if (arg == "--no-vsync") {
            o.vsync = false;
        } else if (arg == "--mute") {
            o.mute = true;
        } else if (arg == "--fewer-flashes") {
            o.fewerFlashes = true;
        } else if (arg == "--size") {
            if (!value(v)) return parsed;
            int32_t w = 0, h = 0;
            if (!parseSize(v, w, h)) {
                parsed.problem = "--size wants WIDTHxHEIGHT from " + std::to_string(kMinWidth) + "x" +
                                 std::to_string(kMinHeight) + " to " + std::to_string(kMaxWidth) + "x" +
                                 std::to_string(kMaxHeight) + ", not " + v;
                return parsed;
            }
            o.width = w;
            o.height = h;
        } else if (arg == "--display") {
            if (!value(v)) return parsed;
            int32_t n = 0;
            if (!parseNumber(v, 0, 63, n)) {
                parsed.problem = "--display wants a display number counted from 0, not " + v;
                return parsed;
            }
            o.display = n;
        } else if (arg == "--start") {
            if (!value(v)) return parsed;
            int32_t ms = 0;
            if (!parseNumber(v, 0, kLastStartMs, ms) || ms % kStartStepMs != 0) {
                parsed.problem = "--start wants milliseconds from 0 to " + std::to_string(kLastStartMs) +
                                 " in steps of " + std::to_string(kStartStepMs) + ", not " + v;
                return parsed;
            }
            o.startMs = ms;
        } else if (arg == "--gl") {
            if (!value(v)) return parsed;
            if (v != "core" && v != "es") {
                parsed.problem = "--gl wants core (OpenGL 3.3) or es (OpenGL ES 3.0), not " + v;
                return parsed;
            }
            o.gl = v == "es" ? GLApi::ES : GLApi::Core;
        } else if (arg == "--av-offset") {
            if (!value(v)) return parsed;
            int32_t ms = 0;
            if (!parseNumber(v, -kMaxAvOffsetMs, kMaxAvOffsetMs, ms)) {
                parsed.problem = "--av-offset wants milliseconds from -" + std::to_string(kMaxAvOffsetMs) + " to " +
                                 std::to_string(kMaxAvOffsetMs) + ", not " + v;
                return parsed;
            }
            o.avOffsetMs = ms;
        } else {
            parsed.problem = "unknown option " + arg;
            return parsed;
        }
    }
    // The dialog offers six sizes; any other one is taken as it is, without the dialog.
    if (o.width && !offeredByTheDialog(*o.width, *o.height)) o.dialog = false;
    return parsed;
}

std::string usageText()
{
    return std::string("usage: orvale-invit [options]\n") + kFlashWarning + "\n" +
           "  --window              in a window, centred on the display\n"
           "  --fullscreen          covering the whole display at its own mode, the picture scaled to it\n"
           "  --mode-change         full screen through a change of the display's mode to the size\n"
           "                        (where the display refuses, the full screen above)\n"
           "  --size WxH            the size the intro is drawn at, 160x90 to 7680x4320 (default 1024x768);\n"
           "                        a size the setup dialog does not offer skips the dialog\n"
           "  --display N           the display to open on, counted from 0 (default 0)\n"
           "  --no-dialog           start at once, without the setup dialog\n"
           "  --vsync, --no-vsync   wait for the display's refresh before each frame (default on)\n"
           "  --mute                no sound; the picture still beats with the music\n"
           "  --fewer-flashes       the beat drawn calmer, within the rules for flashing pictures\n"
           "                        (\"Fewer flashes\" in the setup dialog)\n"
           "  --loop                start again from the beginning at the end, until Escape\n"
           "  --start MS            start at this demo time in milliseconds, a multiple of 50\n"
           "  --av-offset MS        show the picture MS milliseconds later than the music is heard\n"
           "                        (-1000 to 1000; negative: earlier)\n"
           "  --gl core|es          draw through OpenGL 3.3 core (the default) or OpenGL ES 3.0\n"
           "  --check               say what this machine offers and whether it plays the intro smoothly\n"
           "  --help                this list\n"
           "  --version             the version\n"
           "Without options the setup dialog asks for the size, whether to fill the screen and whether\n"
           "to draw fewer flashes; with these options it opens with them chosen.\n"
           "Keys while it plays:\n"
           "  Space                 pause, and play on (picture and music)\n"
           "  Left, Right           5 seconds back, on\n"
           "  Page Up               the start of the chapter (of the one before, near a start)\n"
           "  Page Down             the start of the next chapter\n"
           "  Home                  the start\n"
           "  . and ,               one frame on and back, while paused\n"
           "  Escape                end\n";
}
