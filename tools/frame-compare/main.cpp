// orvale-frame-compare: compares two folders of frames, every PNG of the first with the one
// of the same name in the second, and says whether each frame is within bounds on its PSNR
// and on its worst 8x8 block: the proof that a change which cannot keep every byte (another
// GL driver, another way to draw the same thing) keeps the picture.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FrameCompare.h"

namespace {

// What the command line asks.
struct CompareOptions {
    bool help = false;
    std::string a, b;  // the two folders
    FrameBounds bounds;
};

// The arguments after the program's name; a bad one gives the one line that names the problem.
struct ParsedCompareOptions {
    CompareOptions options;
    std::string problem;  // empty when every argument was understood
};

// The whole of `text` as a number from lowest to highest.
bool parseNumber(const std::string& text, double lowest, double highest, double& value)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(v >= lowest && v <= highest)) return false;
    value = v;
    return true;
}

ParsedCompareOptions parseCompareOptions(const std::vector<std::string>& arguments)
{
    ParsedCompareOptions parsed;
    CompareOptions& o = parsed.options;
    std::string& problem = parsed.problem;
    std::vector<std::string> folders;
    for (size_t i = 0; i < arguments.size() && problem.empty(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--min-psnr" || arg == "--max-block") {
            if (i + 1 >= arguments.size()) {
                problem = arg + " needs a value";
                break;
            }
            const std::string& value = arguments[++i];
            if (arg == "--min-psnr" && !parseNumber(value, 0, 1000, o.bounds.minPsnr))
                problem = "--min-psnr wants a PSNR in dB, not " + value;
            if (arg == "--max-block" && !parseNumber(value, 0, 255, o.bounds.maxBlock))
                problem = "--max-block wants a mean difference of 0 to 255 levels, not " + value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option " + arg;
        } else {
            folders.push_back(arg);
        }
    }
    if (!problem.empty() || o.help) return parsed;
    if (folders.size() != 2)
        problem = "give two folders of frames, not " + std::to_string(folders.size());
    else
        o.a = folders[0], o.b = folders[1];
    return parsed;
}

// A number as short as it can be said: 30, 0.5.
std::string shortNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string oneDecimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string psnrText(double psnr) { return std::isinf(psnr) ? "identical" : oneDecimal(psnr) + " dB"; }

std::string boundsText(const FrameBounds& bounds)
{
    return "PSNR >= " + shortNumber(bounds.minPsnr) + " dB and worst block <= " + shortNumber(bounds.maxBlock);
}

std::string usage()
{
    const FrameBounds defaults;
    return "usage: orvale-frame-compare A B [--min-psnr DB] [--max-block LEVELS]\n"
           "Compares every PNG frame in folder A with the one of the same name in folder B, on red,\n"
           "green and blue (alpha is not looked at): one line per frame, then the worst of them.\n"
           "  --min-psnr DB       the lowest PSNR a frame may have, over the whole frame, peak 255;\n"
           "                      default " +
           shortNumber(defaults.minPsnr) +
           "\n"
           "  --max-block LEVELS  the largest mean absolute difference an 8x8 block may have in one\n"
           "                      channel, in levels of 0 to 255 (blocks from the top-left corner,\n"
           "                      part blocks at the edges included); default " +
           shortNumber(defaults.maxBlock) +
           "\n"
           "  --help\n"
           "Exit status: 0 when every frame is within both bounds, 1 when one is not, 2 on a usage\n"
           "error or input that cannot be read.\n";
}

// "frame-005000.png: PSNR 41.3 dB, worst block 6.2 in G at (120, 48)", and whether it is out
// of bounds; where the worst block is means nothing for identical frames.
std::string frameLine(const FramePair& frame, bool within)
{
    const FrameDifference& d = frame.difference;
    std::string line = frame.name + ": PSNR " + psnrText(d.psnr) + ", worst block " + oneDecimal(d.worstBlock);
    if (d.worstBlock > 0)
        line += std::string(" in ") + d.channel + " at (" + std::to_string(d.blockX) + ", " +
                std::to_string(d.blockY) + ")";
    return within ? line : line + ", outside the bounds";
}

// How many frames, the lowest PSNR and the worst block, each with its frame.
std::string summaryLine(const std::vector<FramePair>& frames)
{
    const FramePair* lowest = &frames.front();
    const FramePair* worst = &frames.front();
    for (const FramePair& frame : frames) {
        if (frame.difference.psnr < lowest->difference.psnr) lowest = &frame;
        if (frame.difference.worstBlock > worst->difference.worstBlock) worst = &frame;
    }
    std::string line = std::to_string(frames.size()) + " frames: worst PSNR " + psnrText(lowest->difference.psnr);
    if (!std::isinf(lowest->difference.psnr)) line += " (" + lowest->name + ")";
    line += ", worst block " + oneDecimal(worst->difference.worstBlock);
    if (worst->difference.worstBlock > 0) line += " (" + worst->name + ")";
    return line;
}

}  // namespace

int main(int argc, char** argv)
{
    const ParsedCompareOptions parsed = parseCompareOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.problem.empty()) {
        std::fprintf(stderr, "orvale-frame-compare: %s\n%s", parsed.problem.c_str(), usage().c_str());
        return 2;
    }
    const CompareOptions& options = parsed.options;
    if (options.help) {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    const FolderComparison comparison = compareFolders(options.a, options.b);
    if (!comparison.problem.empty()) {
        std::fprintf(stderr, "orvale-frame-compare: %s\n", comparison.problem.c_str());
        return 2;
    }
    std::string outside;
    size_t outsideCount = 0;
    for (const FramePair& frame : comparison.frames) {
        const bool within = withinBounds(frame.difference, options.bounds);
        if (!within) outside += (outsideCount++ ? ", " : "") + frame.name;
        std::printf("%s\n", frameLine(frame, within).c_str());
    }
    std::printf("%s\n", summaryLine(comparison.frames).c_str());
    if (outsideCount > 0) {
        std::printf("%zu of %zu frames outside %s: %s\n", outsideCount, comparison.frames.size(),
                    boundsText(options.bounds).c_str(), outside.c_str());
        return 1;
    }
    std::printf("every frame within %s\n", boundsText(options.bounds).c_str());
    return 0;
}
