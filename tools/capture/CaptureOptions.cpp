#include "CaptureOptions.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/DisplaySettings.h"
#include "timeline/Timeline.h"

namespace {

// The intro ends as its last window, the quit window, begins; single frames may be taken
// until that window ends.
const int kIntroEnd = sceneWindow(TimeWindow::End).start;
const int kLastFrame = sceneWindow(TimeWindow::End).end;

bool parseInt(const std::string& text, int lowest, int highest, int& value)
{
    if (text.empty() || text.size() > 9) return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end || v < lowest || v > highest) return false;
    value = static_cast<int>(v);
    return true;
}

const VideoPreset* findPreset(const std::string& name)
{
    for (const VideoPreset& preset : kVideoPresets)
        if (name == preset.name) return &preset;
    return nullptr;
}

std::string presetNames()
{
    std::string names;
    for (const VideoPreset& preset : kVideoPresets) names += std::string(names.empty() ? "" : ", ") + preset.name;
    return names;
}

}  // namespace

ParsedCaptureOptions parseCaptureOptions(const std::vector<std::string>& arguments)
{
    ParsedCaptureOptions parsed;
    CaptureOptions& o = parsed.options;
    std::string& problem = parsed.problem;
    bool sizeGiven = false, fpsGiven = false, rangeGiven = false, lossless = false;
    const VideoPreset* preset = nullptr;
    for (size_t i = 0; i < arguments.size() && problem.empty(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            o.action = CaptureOptions::Action::Help;
            continue;
        }
        if (arg == "--version") {
            o.action = CaptureOptions::Action::Version;
            continue;
        }
        if (arg == "--lossless") {
            lossless = true;
            continue;
        }
        if (arg == "--fewer-flashes") {
            o.fewerFlashes = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            problem = arg.rfind("--", 0) == 0 ? arg + " needs a value" : "unknown option " + arg;
            break;
        }
        const std::string& value = arguments[++i];
        auto demoTime = [&](int latest, int& ms) {
            if (!parseInt(value, 0, latest, ms))
                problem = arg + " wants demo times in milliseconds up to " + std::to_string(latest) + ", not " + value;
        };
        if (arg == "--size") {
            const size_t x = value.find('x');
            if (x == std::string::npos || !parseInt(value.substr(0, x), 16, 8192, o.width) ||
                !parseInt(value.substr(x + 1), 16, 8192, o.height))
                problem = "--size wants WIDTHxHEIGHT between 16 and 8192, not " + value;
            sizeGiven = true;
        } else if (arg == "--fps") {
            if (!parseInt(value, 1, 1000, o.fps)) problem = "--fps wants 1 to 1000, not " + value;
            fpsGiven = true;
        } else if (arg == "--preset") {
            preset = findPreset(value);
            if (!preset) problem = "unknown preset " + value + " (there are " + presetNames() + ")";
        } else if (arg == "--out") {
            o.outDir = value;
        } else if (arg == "--at") {
            std::stringstream list(value);
            std::string item;
            int ms = 0;
            while (problem.empty() && std::getline(list, item, ',')) {
                if (!parseInt(item, 0, kLastFrame, ms))
                    problem = "--at wants demo times in milliseconds up to " + std::to_string(kLastFrame) + ", not " + item;
                o.at.insert(ms);
            }
        } else if (arg == "--storyboard") {
            o.storyboardPath = value;
        } else if (arg == "--every") {
            o.everySeconds = std::atof(value.c_str());
            if (!(o.everySeconds >= 0.1)) problem = "--every wants at least 0.1 seconds, not " + value;
        } else if (arg == "--video") {
            o.videoPath = value;
        } else if (arg == "--chapters") {
            o.chaptersPath = value;
        } else if (arg == "--frames") {
            o.framesDir = value;
        } else if (arg == "--flashes") {
            o.flashesPath = value;
        } else if (arg == "--gl") {
            if (value == "core" || value == "es")
                o.gl = value == "es" ? GLApi::ES : GLApi::Core;
            else
                problem = "--gl wants core (OpenGL 3.3) or es (OpenGL ES 3.0), not " + value;
        } else if (arg == "--from") {
            demoTime(kIntroEnd, o.fromMs);
            rangeGiven = true;
        } else if (arg == "--to") {
            demoTime(kIntroEnd, o.toMs);
            rangeGiven = true;
        } else {
            problem = "unknown option " + arg;
        }
    }
    if (!problem.empty() || o.action != CaptureOptions::Action::Capture) return parsed;

    const bool video = !o.videoPath.empty(), sequence = !o.framesDir.empty(), flashes = !o.flashesPath.empty();
    const bool single = !o.at.empty() || !o.storyboardPath.empty();
    if (video + sequence + flashes + single > 1)
        problem = "--video, --frames, --flashes and --at or --storyboard are separate captures; give one";
    else if (!video && !sequence && !flashes && !single)
        problem = "nothing to capture: give --at, --storyboard, --frames, --video or --flashes";
    else if (!video && (preset || lossless || !o.chaptersPath.empty()))
        problem = "--preset, --lossless and --chapters go with --video";
    else if (single && rangeGiven)
        problem = "--from and --to go with --video, --frames or --flashes";
    else if (!o.storyboardPath.empty() && o.everySeconds == 0)
        problem = "--storyboard needs --every";
    else if (lossless && (o.videoPath.size() < 4 || o.videoPath.compare(o.videoPath.size() - 4, 4, ".mkv") != 0))
        problem = "--lossless writes Matroska; name the video FILE.mkv";
    if (!problem.empty() || single) return parsed;

    if (o.toMs < 0) o.toMs = kIntroEnd;
    if (o.fromMs >= o.toMs) problem = "--from must come before --to";
    // A preset sets what was not given explicitly.
    if (preset) {
        if (!sizeGiven) o.width = preset->width, o.height = preset->height;
        if (!fpsGiven) o.fps = preset->fps;
        o.format = preset->format;
    }
    o.format.lossless = lossless;
    return parsed;
}

std::string captureUsage()
{
    std::string text =
        "usage: orvale-capture [--size WxH] [--fps N] [--out DIR] --at MS[,MS...]\n"
        "       orvale-capture [--size WxH] [--fps N] --storyboard FILE --every SECONDS\n"
        "       orvale-capture [--preset NAME] [--size WxH] [--fps N] [--from MS] [--to MS]\n"
        "                      [--lossless] [--chapters FILE] --video FILE\n"
        "       orvale-capture [--size WxH] [--fps N] [--from MS] [--to MS] --frames DIR\n"
        "       orvale-capture [--size WxH] [--fps N] [--from MS] [--to MS] --flashes REPORT\n"
        "Renders the intro offline from demo time 0 at a fixed frame rate, as it plays.\n" +
        std::string(kFlashWarning) +
        "\n"
        "  --at MS[,MS...]       one PNG per demo time (ms, up to " +
        std::to_string(kLastFrame) +
        "), named frame-MS.png, in --out DIR\n"
        "  --storyboard FILE     one PNG grid of small frames, one every --every SECONDS\n"
        "  --video FILE          H.264 and AAC in MP4, BT.709, with chapters at the scene changes\n"
        "  --lossless            FFV1 and 24-bit FLAC in Matroska instead (FILE.mkv): a master\n"
        "  --chapters FILE       also the chapter list as text, for a video description\n"
        "  --frames DIR          every frame as DIR/frame-000000.png, ... (frame n: from + n/fps)\n"
        "  --flashes REPORT      checks the span's frames against the rules for flashing pictures\n"
        "                        (WCAG 2.3.1, ITU-R BT.1702) and writes a report, one line a second;\n"
        "                        exit status 3 when they fail\n"
        "  --fewer-flashes       the beat drawn calmer, as the setup dialog's \"Fewer flashes\"\n"
        "  --from MS, --to MS    the span of a video, sequence or analysis (default 0 to the end, " +
        std::to_string(kIntroEnd) +
        ")\n"
        "  --size WxH            default 1280x720\n"
        "  --fps N               frames per second of demo time, default 60\n"
        "  --gl core|es          draw through OpenGL 3.3 core (the default) or OpenGL ES 3.0\n"
        "  --preset NAME         size, frame rate and encoding together; --size and --fps override:\n";
    char line[200];
    for (const VideoPreset& p : kVideoPresets) {
        const VideoFormat& f = p.format;
        std::snprintf(line, sizeof line, "    %-9s %s: %dx%d, %d fps,\n              H.264 %c%s", p.name, p.use,
                      p.width, p.height, p.fps, f.profile[0] - 'a' + 'A', f.profile + 1);
        text += line;
        if (f.level) text += std::string(" level ") + f.level;
        text += ", CRF " + std::to_string(f.crf);
        if (f.maxrateKbit)
            text += ", at most " + std::to_string(f.maxrateKbit / 1000) + " Mbit/s (buffer " +
                    std::to_string(f.bufsizeKbit / 1000) + " Mbit)";
        text += "; AAC " + std::to_string(f.audioKbit) + " kbit/s\n";
    }
    text +=
        "    (none)    1280x720, 60 fps, H.264 High, CRF 18; AAC 192 kbit/s\n"
        "  --help, --version\n";
    return text;
}
