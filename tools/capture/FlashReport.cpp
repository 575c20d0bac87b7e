#include "FlashReport.h"

#include <cstdio>

namespace {

std::string seconds(int ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms / 1000.0);
    return text;
}

}  // namespace

std::string flashFailures(const FlashJudgement& judgement)
{
    std::string text;
    for (const FlashFailure& f : judgement.failures) {
        if (!text.empty()) text += ", ";
        text += std::string(kindName(f.kind)) + " " + seconds(f.fromMs) + "-" + seconds(f.toMs) + " s (up to " +
                std::to_string(f.most) + " transitions a second)";
    }
    return text;
}

std::string flashReport(const FlashJudgement& judgement, const FlashSpanInfo& span)
{
    char line[200];
    std::snprintf(line, sizeof line, "# orvale-capture --flashes: %dx%d at %d fps, demo time %.3f s to %.3f s, %s\n",
                  span.width, span.height, span.fps, span.fromMs / 1000.0, span.toMs / 1000.0,
                  span.fewerFlashes ? "fewer flashes" : "the beat as designed");
    std::string text = line;
    text +=
        "# Rules of WCAG 2.x 2.3.1 and ITU-R BT.1702 over the whole picture: a transition changes the\n"
        "# relative luminance by 0.1 or more over a quarter of the picture, the darker side below 0.8\n"
        "# (red: more than 20 in (R - G - B) x 320, saturated red). More than 6 transitions in a second\n"
        "# fail; 4 to 6 a second kept up for more than 5 s are the extended failure.\n"
        "# second\tluminance\tred\tmost-luminance\tmost-red\tverdict\n";
    for (const FlashSecond& s : judgement.seconds) {
        std::snprintf(line, sizeof line, "%d\t%d\t%d\t%d\t%d\t%s\n", s.endMs / 1000, s.luminance, s.red,
                      s.mostLuminance, s.mostRed, verdictName(s.verdict));
        text += line;
    }
    if (judgement.passes()) {
        std::snprintf(line, sizeof line,
                      "# passes: at most %d luminance and %d red transitions in any one second\n",
                      judgement.mostLuminance, judgement.mostRed);
        text += line;
    } else {
        text += "# fails: " + flashFailures(judgement) + "\n";
    }
    return text;
}
