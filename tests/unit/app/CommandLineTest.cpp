// What orvale-invit's command line means, and how it refuses what it cannot take.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DisplaySettings.h"

namespace {

ParsedCommandLine parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

TEST(CommandLine, EachOptionSetsWhatItNames)
{
    const LaunchOptions none = parse({}).options;
    EXPECT_EQ(none.action, LaunchOptions::Action::Run);
    EXPECT_FALSE(none.fullScreen);
    EXPECT_FALSE(none.width);
    EXPECT_FALSE(none.display);
    EXPECT_TRUE(none.dialog);
    EXPECT_TRUE(none.vsync);
    EXPECT_FALSE(none.mute);
    EXPECT_FALSE(none.fewerFlashes);
    EXPECT_FALSE(none.modeChange);
    EXPECT_FALSE(none.loop);
    EXPECT_EQ(none.startMs, 0);
    EXPECT_EQ(none.avOffsetMs, 0);

    const LaunchOptions o =
        parse({"--window", "--size", "800x600", "--display", "1", "--no-vsync", "--mute", "--no-dialog",
               "--fewer-flashes"}).options;
    EXPECT_EQ(o.fullScreen, false);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_EQ(o.display, 1);
    EXPECT_FALSE(o.vsync);
    EXPECT_TRUE(o.mute);
    EXPECT_TRUE(o.fewerFlashes);
    EXPECT_FALSE(o.dialog);
    const LaunchOptions p = parse({"--mode-change", "--loop", "--start", "150000", "--av-offset", "-40"}).options;
    EXPECT_EQ(p.fullScreen, true);
    EXPECT_TRUE(p.modeChange);
    EXPECT_TRUE(p.loop);
    EXPECT_EQ(p.startMs, 150000);
    EXPECT_EQ(p.avOffsetMs, -40);
    EXPECT_EQ(parse({"--start", "206000"}).options.startMs, 206000);
    EXPECT_EQ(parse({"--av-offset", "1000"}).options.avOffsetMs, 1000);
    EXPECT_EQ(parse({"--check"}).options.action, LaunchOptions::Action::Check);
    // The later of two opposite options wins.
    EXPECT_EQ(parse({"--window", "--fullscreen"}).options.fullScreen, true);
    EXPECT_TRUE(parse({"--no-vsync", "--vsync"}).options.vsync);
    EXPECT_EQ(parse({"--help"}).options.action, LaunchOptions::Action::Help);
    EXPECT_EQ(parse({"-h"}).options.action, LaunchOptions::Action::Help);
    EXPECT_EQ(parse({"--version"}).options.action, LaunchOptions::Action::Version);
}

TEST(CommandLine, ASizeTheDialogDoesNotOfferSkipsIt)
{
    for (const ResolutionChoice& choice : kResolutionChoices) {
        const std::string size = std::to_string(choice.width) + "x" + std::to_string(choice.height);
        EXPECT_TRUE(parse({"--size", size}).options.dialog) << size;
    }
    EXPECT_FALSE(parse({"--size", "1600x900"}).options.dialog);
    const LaunchOptions smallest = parse({"--size", "160x90"}).options;
    EXPECT_EQ(smallest.width, 160);
    EXPECT_FALSE(smallest.dialog);
    EXPECT_EQ(parse({"--size", "7680x4320"}).options.height, 4320);
}

TEST(CommandLine, BadOptionsAndValuesAreNamed)
{
    const struct {
        std::vector<std::string> arguments;
        const char* problem;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"window"}, "unknown option window"},
        {{"--size"}, "--size needs a value"},
        {{"--size", "800"}, "--size wants WIDTHxHEIGHT"},
        {{"--size", "159x90"}, "not 159x90"},
        {{"--size", "160x89"}, "not 160x89"},
        {{"--size", "7681x4320"}, "not 7681x4320"},
        {{"--size", "800x600x2"}, "not 800x600x2"},
        {{"--size", "-800x600"}, "not -800x600"},
        {{"--size", "x"}, "not x"},
        {{"--display"}, "--display needs a value"},
        {{"--display", "-1"}, "--display wants a display number"},
        {{"--display", "one"}, "not one"},
        {{"--display", "99999999999999999999"}, "--display wants"},
        {{"--window", "--nope", "--help"}, "unknown option --nope"},
        {{"--start"}, "--start needs a value"},
        {{"--start", "20010"}, "in steps of 50, not 20010"},
        {{"--start", "-50"}, "--start wants"},
        {{"--start", "206050"}, "not 206050"},
        {{"--av-offset", "1001"}, "--av-offset wants milliseconds from -1000 to 1000, not 1001"},
        {{"--av-offset", "-1001"}, "not -1001"},
        {{"--av-offset", "ten"}, "not ten"},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parse(c.arguments);
        EXPECT_NE(parsed.problem.find(c.problem), std::string::npos)
            << c.arguments[0] << ": \"" << parsed.problem << "\"";
    }
    EXPECT_TRUE(parse({"--window", "--size", "1024x600"}).problem.empty());
}

TEST(CommandLine, TheUsageListsEveryOption)
{
    for (const char* option : {"--window", "--fullscreen", "--size", "--display", "--no-dialog", "--vsync",
                               "--no-vsync", "--mute", "--mode-change", "--loop", "--start", "--av-offset", "--check",
                               "--fewer-flashes", "--help", "--version", kFlashWarning})
        EXPECT_NE(usageText().find(option), std::string::npos) << option;
}

// The warning is said in the same words by the programs, every dialog and every document.
TEST(FlashWarning, IsTheSameWordForWordEverywhere)
{
    const std::string warning = kFlashWarning;
    std::string doubledQuotes;  // as a resource script writes a quote in a string
    for (const char c : warning) doubledQuotes += c == '"' ? std::string(2, c) : std::string(1, c);
    const struct {
        const char* file;
        std::string text;
    } places[] = {
        {"README.md", warning},
        {"docs/orvale-invit.6", warning},
        {"docs/orvale-capture.1", warning},
        {"resources/setup-dialog.ui", warning},
        {"resources/setup-dialog.rc", doubledQuotes},
        {"resources/web/index.html", warning},
        {"scripts/make-dist", "Warning: flashing lights. \\\"Fewer flashes\\\" softens them."},
        {"scripts/make-dist-windows", "Warning: flashing lights. \\\"Fewer flashes\\\" softens them."},
    };
    for (const auto& place : places) {
        std::ifstream in(std::string(ORVALE_SOURCE_DIR) + "/" + place.file);
        const std::string content{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(content.find(place.text), std::string::npos) << place.file;
    }
}

TEST(SetupDialog, OpensWithTheCommandLinesChoicesChecked)
{
    DisplaySettings settings;
    settings.width = 800;
    settings.height = 600;
    settings.fullScreen = 0;
    const SetupDialogState state(settings);
    EXPECT_EQ(state.checkedResolution, kControl800x600);
    EXPECT_FALSE(state.fullScreenChecked);
}

}  // namespace
