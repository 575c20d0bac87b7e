// The capture tool, run as people run it (from the build tree, without a display), and the
// pictures it writes checked by what each moment of the intro must show. One capture run is
// shared by all the checks.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CaptureRun.h"
#include "image/PictureFile.h"
#include "scenes/SpeechBubbles.h"
#include "timeline/Timeline.h"

namespace {

constexpr int kWidth = 320, kHeight = 180;

// A rectangle of a frame in fractions of its size, origin at the bottom-left.
struct Area {
    double left, bottom, right, top;
};

double brightness(const Picture& p, int x, int y)
{
    const uint8_t* c = p.at(x, y);
    return (c[0] + c[1] + c[2]) / 3.0;
}

template <typename Measure>
double mean(const Picture& p, const Area& a, Measure measure)
{
    const int x0 = static_cast<int>(a.left * p.width), x1 = static_cast<int>(a.right * p.width);
    const int y0 = static_cast<int>(a.bottom * p.height), y1 = static_cast<int>(a.top * p.height);
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) sum += measure(x, y);
    return sum / std::max(1, (x1 - x0) * (y1 - y0));
}
double meanBrightness(const Picture& p, const Area& a)
{
    return mean(p, a, [&p](int x, int y) { return brightness(p, x, y); });
}
// The share of pixels that are clearly not white.
double markedShare(const Picture& p, const Area& a)
{
    return mean(p, a, [&p](int x, int y) { return brightness(p, x, y) < 200 ? 1.0 : 0.0; });
}

class Capture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new std::string(::testing::TempDir() + "/capture-frames");
        std::filesystem::remove_all(*dir_);
        std::filesystem::create_directories(*dir_);
        status_ = capture("--size 320x180 --fps 30 --out '" + *dir_ +
                              "' --at 1000,2000,7000,10000,14200,16500,20000,29300,40000,45000,50000,59500,60300,70000,74000,87500,101000,114800,115300,115500,117000,130000,143000,160000 --storyboard '" +
                              *dir_ + "/story.png' --every 40",
                          *messages_);
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*dir_);
        delete dir_;
    }
    void SetUp() override { ASSERT_EQ(status_, 0) << *messages_; }

    static Picture frame(int ms)
    {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%06d.png", ms);
        Result<Picture> picture = decodePicture(*dir_ + name);
        EXPECT_TRUE(picture) << picture.message();
        return picture ? picture.take() : Picture{};
    }

    static std::string* dir_;
    static int status_;
    static std::string* messages_;
};
std::string* Capture::dir_ = nullptr;
int Capture::status_ = -1;
std::string* Capture::messages_ = new std::string;

// The mean of one channel (0 red, 1 green, 2 blue) over an area.
double channel(const Picture& p, const Area& a, int c)
{
    return mean(p, a, [&p, c](int x, int y) { return static_cast<double>(p.at(x, y)[c]); });
}

TEST_F(Capture, FramesHaveTheRequestedSizeAndTheOpeningIsWhite)
{
    const Picture white = frame(1000);
    EXPECT_EQ(white.width, kWidth);
    EXPECT_EQ(white.height, kHeight);
    EXPECT_GT(meanBrightness(white, {0, 0, 1, 1}), 200);
}

TEST_F(Capture, TheFireRingBurnsThenTheFlashFillsTheScreen)
{
    // Scene B's background goes from white to black over its first 12 %.
    EXPECT_GT(meanBrightness(frame(14200), {0, 0.85, 0.1, 1}), 150);
    const Picture ring = frame(20000);
    EXPECT_LT(meanBrightness(frame(16500), {0, 0.85, 0.1, 1}), 40);
    // Seen from above: the glowing floor in the middle, warm flame lines around it.
    EXPECT_GT(meanBrightness(ring, {0.4, 0.4, 0.6, 0.6}), 200);
    const Area flames{0.3, 0.7, 0.7, 1.0};
    EXPECT_GT(channel(ring, flames, 0), channel(ring, flames, 2));
    // Around 29.3 s the flash makes the whole frame bright and bluish white.
    const Picture flash = frame(29300);
    EXPECT_GT(meanBrightness(flash, {0, 0, 1, 1}), 200);
    EXPECT_GE(channel(flash, {0, 0, 1, 1}, 2), channel(flash, {0, 0, 1, 1}, 0));
}

TEST_F(Capture, ReddishStemsGrowInTheRingAndSinkBack)
{
    // Red-dominant pixels in the lower middle of the frame, where the stems rise from the
    // floor; above the horizon the fire ring's sparks are reddish too, whatever the stems do.
    auto reddish = [](const Picture& p) {
        return mean(p, {0.3, 0, 0.7, 0.5}, [&p](int x, int y) {
            const uint8_t* c = p.at(x, y);
            return c[0] > 80 && c[0] > c[2] + 20 ? 1.0 : 0.0;
        });
    };
    const Picture grown = frame(50000), sunk = frame(59500);
    EXPECT_GT(reddish(grown), 0.05);
    EXPECT_LT(reddish(sunk), reddish(grown) / 4);
    EXPECT_LT(meanBrightness(frame(40000), {0, 0, 1, 1}), 150);  // a dark scene, not the white page
}

TEST_F(Capture, MetaballsGrowGlowingOverTheHatchedFireRingAndFadeAway)
{
    // The balls' surface and flares: bright, warm pixels.
    auto glowing = [](const Picture& p) {
        return mean(p, {0, 0, 1, 1}, [&p](int x, int y) {
            const uint8_t* c = p.at(x, y);
            return c[0] > 150 && c[0] > c[1] + 25 ? 1.0 : 0.0;
        });
    };
    const Picture grown = frame(70000), tiny = frame(60300), gone = frame(87500);
    EXPECT_GT(glowing(tiny), 0.001);  // just born: a small cluster
    EXPECT_LT(glowing(tiny), 0.03);
    EXPECT_GT(glowing(grown), 0.05);
    // Behind them the fire ring's picture through the black-and-white filter: grey, and
    // hatched with lines, so neighbouring pixels differ.
    const Area corner{0, 0.85, 0.15, 1};
    EXPECT_NEAR(channel(grown, corner, 0), channel(grown, corner, 2), 3);
    const double level = meanBrightness(grown, corner);
    EXPECT_GT(level, 15);
    const double spread = mean(grown, corner, [&](int x, int y) {
        const double d = brightness(grown, x, y) - level;
        return d * d;
    });
    EXPECT_GT(std::sqrt(spread), 10);
    // Near the end everything has faded to black.
    EXPECT_LT(meanBrightness(gone, {0, 0, 1, 1}), 5);
}

TEST_F(Capture, RibbonsOfLitCubesCrossTheDarkAndEndInAWhiteFlash)
{
    const Picture ribbons = frame(101000);
    const Area all{0, 0, 1, 1};
    EXPECT_GT(mean(ribbons, all, [&](int x, int y) { return brightness(ribbons, x, y) < 30 ? 1.0 : 0.0; }), 0.4);
    EXPECT_GT(mean(ribbons, all, [&](int x, int y) { return brightness(ribbons, x, y) > 60 ? 1.0 : 0.0; }), 0.02);
    EXPECT_GT(mean(ribbons, all,
                   [&](int x, int y) {
                       const uint8_t* c = ribbons.at(x, y);
                       return std::max({c[0], c[1], c[2]}) - std::min({c[0], c[1], c[2]}) > 25 ? 1.0 : 0.0;
                   }),
              0.005);
    // The flash covers only the last 2 % of the scene.
    EXPECT_LT(meanBrightness(frame(114800), all), 100);
    EXPECT_GT(meanBrightness(frame(115300), all), 220);
}

TEST_F(Capture, TheColumnStandsInTheMiddleAfterAPaleVeil)
{
    const Area all{0, 0, 1, 1};
    const Picture veiled = frame(115500), clear = frame(117000), column = frame(130000);
    EXPECT_GT(meanBrightness(veiled, all), 220);
    EXPECT_LT(meanBrightness(clear, all), meanBrightness(veiled, all) - 30);  // faded after 5 %
    // The bright lattice of the column in the middle, the darker ring and floor at the sides,
    // in the grey of the black-and-white filter.
    const double middle = meanBrightness(column, {0.35, 0.2, 0.65, 0.8});
    const double sides = (meanBrightness(column, {0, 0.2, 0.15, 0.8}) + meanBrightness(column, {0.85, 0.2, 1, 0.8})) / 2;
    EXPECT_GT(middle, sides + 30);
    EXPECT_NEAR(channel(column, all, 0), channel(column, all, 2), 12);
}

TEST_F(Capture, TheLogoStandsCentredOnWhiteAndCubesFlyAroundIt)
{
    const Picture logo = frame(7000);
    EXPECT_GT(meanBrightness(logo, {0, 0, 0.08, 0.1}), 200);  // corners: the white page
    EXPECT_GT(meanBrightness(logo, {0.92, 0.9, 1, 1}), 200);
    // The logo's ink lies around the middle: as much left of the centre as right of it.
    const double left = markedShare(logo, {0.15, 0.3, 0.5, 0.7}), right = markedShare(logo, {0.5, 0.3, 0.85, 0.7});
    EXPECT_GT(left, 0.5);
    EXPECT_NEAR(left, right, 0.15);

    // Above and below the logo the page stays as it was until the cubes come (from about
    // 4.2 s); at 10 s pale cubes cross it (they fade as they shrink, so they are light).
    const Picture before = frame(2000), during = frame(10000);
    EXPECT_LT(markedShare(before, {0, 0.88, 1, 1}) + markedShare(before, {0, 0, 1, 0.12}), 0.002);
    double changed = 0;
    for (const Area& band : {Area{0, 0.85, 1, 1}, Area{0, 0, 1, 0.15}})
        changed += mean(during, band, [&](int x, int y) {
            return std::abs(brightness(during, x, y) - brightness(before, x, y)) > 12 ? 1.0 : 0.0;
        });
    EXPECT_GT(changed, 0.005);
}

TEST_F(Capture, EachSpeechBubbleShowsAtItsPlace)
{
    const struct {
        int ms, window, set;
    } moments[] = {{20000, 2, 0}, {45000, 3, 1}, {74000, 4, 2}, {101000, 5, 3}, {143000, 6, 4}};
    for (const auto& m : moments) {
        const Picture shot = frame(m.ms);
        BubbleDraw draws[3];
        const int count = bubbleLayout(sceneProgress(kSceneWindows[m.window - 1], m.ms), m.set, draws);
        ASSERT_GE(count, 1);
        const BubbleDraw& b = draws[count - 1];  // the last one drawn is on top
        ASSERT_GT(b.alpha, 0.5f) << m.ms;
        const Area inside{b.quad.left + b.offset.x + 0.05, b.quad.bottom + b.offset.y + 0.04,
                          b.quad.right + b.offset.x - 0.05, b.quad.top + b.offset.y - 0.04};
        // Against the same area reflected through the screen's centre, which shows the scene.
        const double difference = mean(shot, inside, [&](int x, int y) {
            const int mx = shot.width - 1 - x, my = shot.height - 1 - y;
            return std::abs(brightness(shot, x, y) - brightness(shot, mx, my));
        });
        EXPECT_GT(difference, 25) << "no bubble at " << m.ms << " ms";
    }
}

TEST_F(Capture, TheClosingPictureStandsCentredOnWhiteWithLinesOfText)
{
    const Picture closing = frame(160000);
    EXPECT_GT(meanBrightness(closing, {0, 0.3, 0.1, 0.7}), 200);  // the white page at the sides
    EXPECT_GT(meanBrightness(closing, {0.9, 0.3, 1, 0.7}), 200);
    EXPECT_LT(meanBrightness(closing, {0.42, 0.15, 0.58, 0.85}), 120);  // the dark poster in the middle
    // White lines of text over the poster's night sky.
    const double bright = mean(closing, {0.36, 0.3, 0.64, 0.7},
                               [&](int x, int y) { return brightness(closing, x, y) > 170 ? 1.0 : 0.0; });
    EXPECT_GT(bright, 0.03);
}

TEST_F(Capture, StoryboardHasALabelledCellPerStep)
{
    const Result<Picture> decoded = decodePicture(*dir_ + "/story.png");
    ASSERT_TRUE(decoded) << decoded.message();
    const Picture& story = decoded.value();
    // Cells at 0, 40, ..., 200 s: six in a row of up to eight, each labelled under it.
    EXPECT_EQ(story.width, 6 * (240 + 6) + 6);
    EXPECT_EQ(story.height, 135 + 22 + 12);
    const double cellTop = story.height - 6 - 135;
    auto cell = [&](int index) {
        const double left = 6 + index * 246;
        return Area{(left + 20) / story.width, (cellTop + 20) / story.height, (left + 220) / story.width,
                    (cellTop + 115) / story.height};
    };
    EXPECT_GT(meanBrightness(story, cell(0)), 200);  // 0 s: the white opening
    EXPECT_LT(meanBrightness(story, cell(1)), 150);  // 40 s: Scene C, dark
}

TEST(CaptureRequests, BadRequestsAreRefusedClearly)
{
    const std::string dir = ::testing::TempDir();
    std::string messages;
    EXPECT_EQ(capture("--at 1000 --size 100", messages), 2);
    EXPECT_NE(messages.find("--size wants WIDTHxHEIGHT"), std::string::npos) << messages;
    EXPECT_EQ(capture("--at 999999", messages), 2);
    EXPECT_NE(messages.find("--at wants demo times"), std::string::npos) << messages;
    EXPECT_EQ(capture("--size 32x32", messages), 2);
    EXPECT_NE(messages.find("nothing to capture"), std::string::npos) << messages;
    EXPECT_EQ(capture("--size 32x32 --at 0 --out '" + dir + "/missing/dir'", messages), 1);
    EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;

    // --help and --version answer on standard output.
    const std::string answer = dir + "/answer";
    EXPECT_EQ(capture("--help >'" + answer + "'", messages), 0);
    std::ifstream help(answer);
    const std::string usage{std::istreambuf_iterator<char>(help), {}};
    for (const char* word : {"--video", "--lossless", "--chapters", "--frames", "party", "youtube", "preview"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    EXPECT_EQ(capture("--version >'" + answer + "'", messages), 0);
    std::ifstream version(answer);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(version), {}), "orvale-capture " ORVALE_VERSION "\n");
}

TEST(CaptureRequests, DataIsFoundFromAnyFolderOrItsPlacesAreNamed)
{
    // Started from / (the data lies beside the program in the build tree).
    const std::string out = ::testing::TempDir() + "/from-root";
    std::filesystem::create_directories(out);
    const std::string command = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY '" + kBuild +
                                "/orvale-capture' --size 32x18 --at 0 --out '" + out + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(out + "/frame-000000.png"));
    std::filesystem::remove_all(out);

    // A copy of the program with no data anywhere it looks: every place is named, status 1.
    const std::string lonely = (std::filesystem::path(::testing::TempDir()) / "lonely").lexically_normal().string();
    std::filesystem::create_directories(lonely + "/bin");
    std::filesystem::copy_file(kBuild + "/orvale-capture", lonely + "/bin/orvale-capture",
                               std::filesystem::copy_options::overwrite_existing);
    const std::string log = lonely + "/log";
    const std::string alone = "cd '" + lonely + "' && env -u DISPLAY -u WAYLAND_DISPLAY bin/orvale-capture --size 32x18 "
                              "--at 0 --out . 2>'" + log + "'";
    const int status = std::system(alone.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    std::ifstream in(log);
    const std::string messages{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(messages.find("cannot find the intro's data"), std::string::npos) << messages;
    for (const std::string& place : {lonely + "/bin/data", lonely + "/share/orvale-invit", lonely + "/data"})
        EXPECT_NE(messages.find(place), std::string::npos) << place << " not named: " << messages;

    // Every output is checked before anything is loaded or rendered: the missing folder is
    // named, not the missing data.
    for (const char* request : {"--at 206000 --out missing", "--frames missing", "--storyboard missing/s.png --every 5",
                                       "--video missing/v.mp4", "--video v.mp4 --chapters missing/c.txt"}) {
        const std::string refused = "cd '" + lonely + "' && env -u DISPLAY -u WAYLAND_DISPLAY bin/orvale-capture " +
                                    request + " 2>'" + log + "'";
        const int code = std::system(refused.c_str());
        EXPECT_TRUE(WIFEXITED(code) && WEXITSTATUS(code) == 1) << request;
        std::ifstream said(log);
        const std::string words{std::istreambuf_iterator<char>(said), {}};
        EXPECT_NE(words.find("missing"), std::string::npos) << request << ": " << words;
        EXPECT_NE(words.find("No such file or directory"), std::string::npos) << request << ": " << words;
        EXPECT_EQ(words.find("data"), std::string::npos) << request << ": " << words;
    }
    EXPECT_FALSE(std::filesystem::exists(lonely + "/v.mp4"));
    std::filesystem::remove_all(lonely);
}

}  // namespace
