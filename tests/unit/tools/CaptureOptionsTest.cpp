// The capture tool's command line: presets and what overrides them, the requests that do
// not go together, and the output checks made before any frame is rendered.
#include "CaptureOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "OutputCheck.h"

namespace {

ParsedCaptureOptions parse(const std::string& line)
{
    std::vector<std::string> arguments;
    std::stringstream words(line);
    for (std::string word; words >> word;) arguments.push_back(word);
    return parseCaptureOptions(arguments);
}

TEST(CaptureOptions, APresetSetsSizeRateAndEncodingAndExplicitOptionsWinInAnyOrder)
{
    const ParsedCaptureOptions party = parse("--preset party --video v.mp4");
    ASSERT_EQ(party.problem, "");
    EXPECT_EQ(party.options.width, 1920);
    EXPECT_EQ(party.options.height, 1080);
    EXPECT_EQ(party.options.fps, 60);
    EXPECT_STREQ(party.options.format.profile, "main");
    EXPECT_STREQ(party.options.format.level, "4.2");
    EXPECT_EQ(party.options.format.crf, 18);
    EXPECT_EQ(party.options.format.maxrateKbit, 40000);
    EXPECT_EQ(party.options.format.bufsizeKbit, 80000);
    EXPECT_EQ(party.options.format.audioKbit, 256);

    for (const char* line : {"--size 640x360 --fps 25 --preset youtube --video v.mp4",
                             "--preset youtube --video v.mp4 --fps 25 --size 640x360"}) {
        const ParsedCaptureOptions o = parse(line);
        ASSERT_EQ(o.problem, "") << line;
        EXPECT_EQ(o.options.width, 640) << line;
        EXPECT_EQ(o.options.height, 360) << line;
        EXPECT_EQ(o.options.fps, 25) << line;
        EXPECT_EQ(o.options.format.crf, 16) << line;
        EXPECT_EQ(o.options.format.audioKbit, 320) << line;
    }

    const ParsedCaptureOptions preview = parse("--preset preview --lossless --video v.mkv");
    ASSERT_EQ(preview.problem, "");
    EXPECT_EQ(preview.options.fps, 30);
    EXPECT_TRUE(preview.options.format.lossless);

    const ParsedCaptureOptions plain = parse("--video v.mp4");
    EXPECT_EQ(plain.options.width, 1280);
    EXPECT_EQ(plain.options.fps, 60);
    EXPECT_EQ(plain.options.format.crf, 18);
    EXPECT_EQ(plain.options.toMs, 206000);
    EXPECT_FALSE(plain.options.format.lossless);
}

TEST(CaptureOptions, RequestsThatCannotBeMetAreNamed)
{
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {
        {"--preset cinema --video v.mp4", "unknown preset cinema (there are party, youtube, preview)"},
        {"--preset party --at 1000", "--preset, --lossless and --chapters go with --video"},
        {"--lossless --frames out", "--preset, --lossless and --chapters go with --video"},
        {"--chapters c.txt --at 0", "--preset, --lossless and --chapters go with --video"},
        {"--lossless --video v.mp4", "--lossless writes Matroska; name the video FILE.mkv"},
        {"--frames out --video v.mp4",
         "--video, --frames, --flashes and --at or --storyboard are separate captures; give one"},
        {"--frames out --at 0", "--video, --frames, --flashes and --at or --storyboard are separate captures; give one"},
        {"--flashes r.txt --video v.mp4",
         "--video, --frames, --flashes and --at or --storyboard are separate captures; give one"},
        {"--from 1000 --at 2000", "--from and --to go with --video, --frames or --flashes"},
        {"--flashes r.txt --lossless", "--preset, --lossless and --chapters go with --video"},
        {"--frames out --from 3000 --to 3000", "--from must come before --to"},
        {"--frames out --to 207000", "--to wants demo times in milliseconds up to 206000, not 207000"},
        {"--video", "--video needs a value"},
        {"--fast --video v.mp4", "unknown option --fast"},
        {"--size 32x32", "nothing to capture: give --at, --storyboard, --frames, --video or --flashes"},
        {"--fewer-flashes", "nothing to capture: give --at, --storyboard, --frames, --video or --flashes"},
    };
    for (const auto& c : cases) EXPECT_EQ(parse(c.line).problem, c.problem) << c.line;

    const ParsedCaptureOptions sequence = parse("--frames out --from 1000");
    ASSERT_EQ(sequence.problem, "");
    EXPECT_EQ(sequence.options.fromMs, 1000);
    EXPECT_EQ(sequence.options.toMs, 206000);
    EXPECT_FALSE(sequence.options.fewerFlashes);
    // The analysis takes a span, a size, a rate and the calmer beat, as a sequence does.
    const ParsedCaptureOptions flashes = parse("--fewer-flashes --size 160x90 --flashes r.txt --from 30000 --fps 30");
    ASSERT_EQ(flashes.problem, "");
    EXPECT_EQ(flashes.options.flashesPath, "r.txt");
    EXPECT_TRUE(flashes.options.fewerFlashes);
    EXPECT_EQ(flashes.options.fromMs, 30000);
    EXPECT_EQ(flashes.options.toMs, 206000);
    EXPECT_EQ(flashes.options.fps, 30);
    EXPECT_EQ(parse("--video v.mp4 --help").options.action, CaptureOptions::Action::Help);
}

TEST(OutputCheck, MissingFoldersFilesInTheWayAndFoldersInTheWayAreRefused)
{
    namespace fs = std::filesystem;
    const std::string dir = ::testing::TempDir() + "/output-check";
    fs::remove_all(dir);
    fs::create_directories(dir + "/folder");
    std::ofstream(dir + "/file") << "x";

    EXPECT_EQ(cannotWriteInto(dir), "");
    EXPECT_EQ(cannotWriteInto(dir + "/missing"), "cannot write into " + dir + "/missing: No such file or directory");
    EXPECT_EQ(cannotWriteInto(dir + "/file"), "cannot write into " + dir + "/file: not a folder");

    EXPECT_EQ(cannotWriteFile(dir + "/new.mp4"), "");
    EXPECT_EQ(cannotWriteFile(dir + "/file"), "");
    EXPECT_EQ(cannotWriteFile(dir + "/folder"), "cannot write " + dir + "/folder: it is a folder");
    EXPECT_EQ(cannotWriteFile(dir + "/missing/new.mp4"),
              "cannot write " + dir + "/missing/new.mp4: No such file or directory");
    EXPECT_EQ(cannotWriteFile(dir + "/file/new.mp4"), "cannot write " + dir + "/file/new.mp4: not a folder");
    fs::remove_all(dir);
}

}  // namespace
