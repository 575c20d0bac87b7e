// The flash analysis on the intro itself, at 160 x 90 and 60 fps over the spans that matter:
// the stepped beat flickers past the rules in the growing stems, "Fewer flashes" keeps the
// stems and metaballs within them, and the twister (which neither changes) passes. A sequence
// of frames that fails says so when it is written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CaptureRun.h"

namespace {

namespace fs = std::filesystem;

struct Span {
    double from, to;
};

// The failing stretches a summary names ("luminance flashes 36.5-51.6 s (...)").
std::vector<Span> failingSpans(const std::string& messages)
{
    std::vector<Span> spans;
    const std::regex stretch(R"(flashes(?: kept up)? ([0-9.]+)-([0-9.]+) s)");
    for (std::sregex_iterator m(messages.begin(), messages.end(), stretch), end; m != end; ++m)
        spans.push_back({std::stod((*m)[1]), std::stod((*m)[2])});
    return spans;
}

// The report's lines of seconds: second -> verdict.
std::map<int, std::string> verdicts(const std::string& report)
{
    std::map<int, std::string> byEnd;
    std::ifstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int second = 0, luminance = 0, red = 0, mostLuminance = 0, mostRed = 0;
        std::string verdict;
        fields >> second >> luminance >> red >> mostLuminance >> mostRed >> verdict;
        byEnd[second] = verdict;
    }
    return byEnd;
}

std::string reportPath(const std::string& name) { return ::testing::TempDir() + "/" + name; }

TEST(Flashes, TheStemsFlickerPastTheRulesByDefault)
{
    const std::string report = reportPath("flashes-default.txt");
    std::string messages;
    ASSERT_EQ(capture("--size 160x90 --from 30000 --to 60000 --flashes '" + report + "'", messages), 3) << messages;
    const std::vector<Span> spans = failingSpans(messages);
    ASSERT_FALSE(spans.empty()) << messages;
    bool stems = false;
    for (const Span& s : spans) {
        EXPECT_GE(s.from, 30.0) << messages;
        stems = stems || (s.from <= 40 && s.to >= 50);
    }
    EXPECT_TRUE(stems) << "no failing stretch over 40-50 s: " << messages;

    const std::map<int, std::string> seconds = verdicts(report);
    ASSERT_EQ(seconds.size(), 30u);
    EXPECT_EQ(seconds.begin()->first, 31);
    EXPECT_EQ(seconds.at(45), "fail");
    EXPECT_EQ(seconds.at(31), "pass");  // the stems grow in the dark before the glows come
}

TEST(Flashes, FewerFlashesPassesWhereTheDefaultFailsAndWarns)
{
    for (const auto& [from, to] : {std::pair{30000, 66000}, std::pair{134000, 144000}}) {
        const std::string report = reportPath("flashes-calm-" + std::to_string(from) + ".txt");
        std::string messages;
        EXPECT_EQ(capture("--size 160x90 --fewer-flashes --from " + std::to_string(from) + " --to " +
                              std::to_string(to) + " --flashes '" + report + "'",
                          messages),
                  0)
            << messages;
        for (const auto& [second, verdict] : verdicts(report))
            EXPECT_TRUE(verdict == "pass" || verdict == "warning") << second << " s: " << verdict;
    }
}

TEST(Flashes, AFrameSequenceThatFailsSaysSoAndTheCalmOneDoesNot)
{
    const fs::path frames = fs::path(::testing::TempDir()) / "flashing-frames";
    for (const bool calm : {false, true}) {
        fs::remove_all(frames);
        fs::create_directories(frames);
        std::string messages;
        ASSERT_EQ(capture(std::string("--size 160x90 --from 39000 --to 40500 --frames '") + frames.string() + "'" +
                              (calm ? " --fewer-flashes" : ""),
                          messages),
                  0)
            << messages;
        EXPECT_EQ(std::distance(fs::directory_iterator(frames), fs::directory_iterator{}), 90);
        const bool said = messages.find("fail the rules for flashing pictures") != std::string::npos;
        EXPECT_EQ(said, !calm) << messages;
        if (!calm) {
            EXPECT_NE(messages.find("--fewer-flashes"), std::string::npos) << messages;
        }
    }
    fs::remove_all(frames);
}

}  // namespace
