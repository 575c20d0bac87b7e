// Videos and frame sequences of the intro: orvale-capture --video and --frames as people run
// them, the files read back with ffprobe and ffmpeg, and the ways it must fail cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "audio/VorbisDecoder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320, kHeight = 180, kFps = 30;

// The standard output of a shell command.
std::string output(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    pclose(pipe);
    return text;
}

// key=value pairs of what an ffprobe option ("-show_streams", "-show_format") shows, one
// map per stream or format.
std::vector<std::map<std::string, std::string>> probe(const std::string& file, const std::string& show)
{
    std::vector<std::map<std::string, std::string>> entries;
    std::stringstream lines(output("ffprobe -v error " + show + " -of compact '" + file + "'"));
    std::string line, field;
    while (std::getline(lines, line)) {
        std::stringstream fields(line);
        std::map<std::string, std::string> entry;
        while (std::getline(fields, field, '|'))
            if (const size_t eq = field.find('='); eq != std::string::npos) entry[field.substr(0, eq)] = field.substr(eq + 1);
        entries.push_back(entry);
    }
    return entries;
}

// The audio of a video from `start` seconds for `length` seconds, mono float.
std::vector<float> videoSound(const std::string& file, double start, double length)
{
    const std::string data = output("ffmpeg -v error -i '" + file + "' -ss " + std::to_string(start) + " -t " +
                                    std::to_string(length) + " -map 0:a -ac 1 -f f32le -");
    std::vector<float> samples(data.size() / sizeof(float));
    std::memcpy(samples.data(), data.data(), samples.size() * sizeof(float));
    return samples;
}

// A picture file, or frame n of a video, decoded to RGB bytes (top row first) after the
// given filters (empty: none).
std::vector<uint8_t> decodedRgb(const std::string& file, const std::string& filters, int n = 0)
{
    const std::string data = output("ffmpeg -v error -i '" + file + "' -vf '" + (filters.empty() ? "" : filters + ",") +
                                    "select=eq(n\\," + std::to_string(n) +
                                    ")' -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    return {data.begin(), data.end()};
}

struct Rgb {
    double r, g, b;
};

// The mean colour of a rectangle of an RGB picture `width` pixels wide.
Rgb meanColour(const std::vector<uint8_t>& rgb, int width, int x0, int y0, int w, int h)
{
    Rgb sum{0, 0, 0};
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            if (i + 2 >= rgb.size()) return sum;
            sum.r += rgb[i];
            sum.g += rgb[i + 1];
            sum.b += rgb[i + 2];
        }
    const double n = static_cast<double>(w) * h;
    return {sum.r / n, sum.g / n, sum.b / n};
}

double meanLevel(const std::vector<uint8_t>& rgb)
{
    double sum = 0;
    for (uint8_t v : rgb) sum += v;
    return rgb.empty() ? 0 : sum / rgb.size();
}

// The captures the checks share, all short: two videos from 0 and from 2 s at 320 x 180, a
// moment of strong colours in HD with the frame --at writes of it, a tiny one with the party
// preset, and one second across the first scene change as a lossless master with its chapter
// list, as a frame sequence and as single frames.
class Video : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new std::string(::testing::TempDir() + "/capture-video");
        fs::remove_all(*dir_);
        fs::create_directories(*dir_ + "/at");
        fs::create_directories(*dir_ + "/sequence");
        const std::string& d = *dir_;
        std::string messages;
        const std::string size = " --size " + std::to_string(kWidth) + "x" + std::to_string(kHeight) +
                                 " --fps " + std::to_string(kFps);
        fullStatus_ = capture("--video '" + d + "/full.mp4' --to 3000" + size, messages);
        *fullMessages_ = messages;
        laterStatus_ = capture("--video '" + d + "/later.mp4' --from 2000 --to 3000" + size, messages);

        const std::string hd = " --size 1280x720 --fps 10";
        colourStatus_ = capture("--video '" + d + "/colours.mp4' --from 8000 --to 8100" + hd, messages) +
                        capture("--out '" + d + "' --at 8000" + hd, messages);
        partyStatus_ = capture("--preset party --size 320x180 --to 200 --video '" + d + "/party.mp4'", messages);

        const std::string span = " --from 13500 --to 14500 --size 320x180 --fps 10";
        masterStatus_ = capture("--lossless --video '" + d + "/master.mkv' --chapters '" + d + "/chapters.txt'" + span,
                                messages);
        sequenceStatus_ = capture("--frames '" + d + "/sequence'" + span, messages);
        std::string times;
        for (int n = 0; n < 10; ++n) times += (n ? "," : "") + std::to_string(13500 + n * 100);
        atStatus_ = capture("--out '" + d + "/at' --at " + times + " --size 320x180 --fps 10", messages);
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(*dir_);
        delete dir_;
    }

    static std::string* dir_;
    static std::string* fullMessages_;
    static int fullStatus_, laterStatus_, colourStatus_, partyStatus_, masterStatus_, sequenceStatus_, atStatus_;
};
std::string* Video::dir_ = nullptr;
std::string* Video::fullMessages_ = new std::string;
int Video::fullStatus_ = -1;
int Video::laterStatus_ = -1;
int Video::colourStatus_ = -1;
int Video::partyStatus_ = -1;
int Video::masterStatus_ = -1;
int Video::sequenceStatus_ = -1;
int Video::atStatus_ = -1;

TEST_F(Video, AShortCaptureHasItsFramesSizeLengthAndMusic)
{
    ASSERT_EQ(fullStatus_, 0) << *fullMessages_;
    // Not a terminal: one summary line and nothing else.
    EXPECT_NE(fullMessages_->find("wrote "), std::string::npos) << *fullMessages_;
    EXPECT_EQ(fullMessages_->find('\r'), std::string::npos);

    const std::string file = *dir_ + "/full.mp4";
    int videos = 0, audios = 0;
    for (auto& stream : probe(file, "-show_streams")) {
        if (stream["codec_type"] == "video") {
            ++videos;
            EXPECT_EQ(stream["codec_name"], "h264");
            EXPECT_EQ(stream["width"], std::to_string(kWidth));
            EXPECT_EQ(stream["height"], std::to_string(kHeight));
            EXPECT_EQ(stream["nb_frames"], "90");
            EXPECT_NEAR(std::stod(stream["duration"]), 3.0, 1.0 / kFps);
        } else if (stream["codec_type"] == "audio") {
            ++audios;
            EXPECT_EQ(stream["codec_name"], "aac");
            EXPECT_NEAR(std::stod(stream["duration"]), 3.0, 1.0 / kFps);
        }
    }
    EXPECT_EQ(videos, 1);
    EXPECT_EQ(audios, 1);
    const auto format = probe(file, "-show_format");
    ASSERT_EQ(format.size(), 1u);
    EXPECT_NEAR(std::stod(format[0].at("duration")), 3.0, 1.0 / kFps);

    // The opening's white page, and the music playing under it.
    const std::vector<uint8_t> first = decodedRgb(file, "");
    ASSERT_EQ(first.size(), size_t{kWidth} * kHeight * 3);
    EXPECT_GT(meanLevel(first), 200);
    double energy = 0;
    const std::vector<float> sound = videoSound(file, 0, 3);
    for (float s : sound) energy += s * s;
    EXPECT_GT(std::sqrt(energy / std::max<size_t>(1, sound.size())), 0.01);
}

TEST_F(Video, ACaptureFromLaterStartsWithThatMomentInPictureAndSound)
{
    ASSERT_EQ(laterStatus_, 0);
    const std::string full = *dir_ + "/full.mp4", later = *dir_ + "/later.mp4";
    const auto streams = probe(later, "-show_streams");
    ASSERT_FALSE(streams.empty());
    EXPECT_EQ(streams[0].at("nb_frames"), "30");

    // Its first frame is the full run's frame at 2 s, up to the encoder's loss.
    const std::vector<uint8_t> a = decodedRgb(full, "", 2 * kFps), b = decodedRgb(later, "");
    ASSERT_EQ(a.size(), b.size());
    ASSERT_FALSE(a.empty());
    double difference = 0;
    for (size_t i = 0; i < a.size(); ++i) difference += std::abs(a[i] - b[i]);
    EXPECT_LT(difference / a.size(), 3.0);

    // Its sound is the music from 2 s.
    const std::vector<float> x = videoSound(full, 2.1, 0.8), y = videoSound(later, 0.1, 0.8);
    ASSERT_GT(x.size(), 1000u);
    const size_t n = std::min(x.size(), y.size());
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i < n; ++i) {
        xy += x[i] * y[i];
        xx += x[i] * x[i];
        yy += y[i] * y[i];
    }
    EXPECT_GT(xy / std::sqrt(xx * yy), 0.9);
}

TEST_F(Video, ColoursAreBT709AtTVRangeAndSaidSo)
{
    ASSERT_EQ(colourStatus_, 0);
    const std::string video = *dir_ + "/colours.mp4";
    const auto streams = probe(video, "-show_streams -select_streams v");
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("color_range"), "tv");
    EXPECT_EQ(streams[0].at("color_space"), "bt709");
    EXPECT_EQ(streams[0].at("color_transfer"), "bt709");
    EXPECT_EQ(streams[0].at("color_primaries"), "bt709");

    // Decoded as players decode HD video, the logo's orange sunset band and its blue sky keep
    // the colours the frame was rendered with.
    const std::vector<uint8_t> played = decodedRgb(video, "scale=in_color_matrix=bt709:in_range=tv");
    const std::vector<uint8_t> rendered = decodedRgb(*dir_ + "/frame-008000.png", "");
    ASSERT_EQ(played.size(), rendered.size());
    struct Region {
        const char* name;
        int x, y, w, h;
    };
    for (const Region& region : {Region{"orange band", 260, 470, 160, 24}, Region{"blue sky", 260, 200, 140, 50}}) {
        const Rgb want = meanColour(rendered, 1280, region.x, region.y, region.w, region.h);
        const Rgb got = meanColour(played, 1280, region.x, region.y, region.w, region.h);
        EXPECT_GT(std::max(std::abs(want.r - want.b), std::abs(want.g - want.b)), 60) << region.name << " is not saturated";
        EXPECT_NEAR(got.r, want.r, 3.0) << region.name;
        EXPECT_NEAR(got.g, want.g, 3.0) << region.name;
        EXPECT_NEAR(got.b, want.b, 3.0) << region.name;
    }
}

TEST_F(Video, APresetSetsTheEncodingAndAnExplicitSizeOverridesItsOwn)
{
    ASSERT_EQ(partyStatus_, 0);
    for (auto& stream : probe(*dir_ + "/party.mp4", "-show_streams")) {
        if (stream["codec_type"] == "video") {
            EXPECT_EQ(stream["profile"], "Main");
            EXPECT_EQ(stream["level"], "42");
            EXPECT_EQ(stream["r_frame_rate"], "60/1");
            EXPECT_EQ(stream["width"], "320");
            EXPECT_EQ(stream["nb_frames"], "12");
        } else if (stream["codec_type"] == "audio") {
            EXPECT_EQ(stream["codec_name"], "aac");
        }
    }
}

TEST_F(Video, ALosslessMasterHoldsTheRenderedFramesAndTheTrackAt24Bits)
{
    ASSERT_EQ(masterStatus_, 0);
    ASSERT_EQ(atStatus_, 0);
    const std::string master = *dir_ + "/master.mkv";
    std::map<std::string, std::string> codecs;
    for (auto& stream : probe(master, "-show_streams")) codecs[stream["codec_type"]] = stream["codec_name"];
    EXPECT_EQ(codecs["video"], "ffv1");
    EXPECT_EQ(codecs["audio"], "flac");

    // Frame n shows 13.5 s + n / 10 s, byte for byte as --at draws it.
    for (int n = 0; n < 10; ++n) {
        const std::vector<uint8_t> frame = decodedRgb(master, "", n);
        ASSERT_EQ(frame.size(), size_t{320} * 180 * 3) << "frame " << n;
        EXPECT_TRUE(frame == decodedRgb(*dir_ + "/at/frame-0" + std::to_string(13500 + n * 100) + ".png", ""))
            << "frame " << n;
    }
    EXPECT_TRUE(decodedRgb(master, "", 10).empty());

    // The music from 13.5 s for exactly a second, each value the track's rounded to 24 bits.
    const std::string data = output("ffmpeg -v error -i '" + master + "' -map 0:a -f s32le -");
    std::vector<int32_t> sound(data.size() / sizeof(int32_t));
    std::memcpy(sound.data(), data.data(), sound.size() * sizeof(int32_t));
    ASSERT_EQ(sound.size(), size_t{Track::kRate} * Track::kChannels);
    VorbisDecoder decoder;
    const Status opened = decoder.open(kBuild + "/data/music/tidewater.ogg");
    ASSERT_TRUE(opened.ok()) << opened.message();
    const size_t first = size_t{13500} * Track::kRate / 1000 * Track::kChannels;
    while (decoder.track->decodedFrames * Track::kChannels < static_cast<int64_t>(first + sound.size()) &&
           decoder.decode(Track::kRate)) {
    }
    size_t different = 0;
    for (size_t i = 0; i < sound.size(); ++i) {
        const long step = std::lround(static_cast<double>(decoder.track->samples[first + i]) * 8388608.0);
        different += sound[i] != static_cast<int32_t>(std::clamp(step, -8388608L, 8388607L) * 256);
    }
    EXPECT_EQ(different, 0u);
}

TEST_F(Video, ChaptersMarkTheScenesInTheVideosOwnTime)
{
    // From the start: only the opening in the first three seconds.
    const auto opening = probe(*dir_ + "/full.mp4", "-show_chapters");
    ASSERT_EQ(opening.size(), 1u);
    EXPECT_EQ(opening[0].at("tag:title"), "Opening");
    EXPECT_NEAR(std::stod(opening[0].at("end_time")), 3.0, 0.001);

    // From 13.5 s: the opening in progress at 0, the firepit from 14.11 s.
    const auto span = probe(*dir_ + "/master.mkv", "-show_chapters");
    ASSERT_EQ(span.size(), 2u);
    EXPECT_EQ(span[0].at("tag:title"), "Opening");
    EXPECT_NEAR(std::stod(span[0].at("start_time")), 0.0, 0.001);
    EXPECT_EQ(span[1].at("tag:title"), "The firepit");
    EXPECT_NEAR(std::stod(span[1].at("start_time")), 0.61, 0.001);
    EXPECT_NEAR(std::stod(span[1].at("end_time")), 1.0, 0.001);

    std::ifstream list(*dir_ + "/chapters.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(list), {}), "0:00 Opening\n0:00 The firepit\n");
}

TEST_F(Video, AFrameSequenceHoldsTheSpansFramesAsSingleCapturesDrawThem)
{
    ASSERT_EQ(sequenceStatus_, 0);
    ASSERT_EQ(atStatus_, 0);
    char name[32];
    for (int n = 0; n < 10; ++n) {
        std::snprintf(name, sizeof name, "/sequence/frame-%06d.png", n);
        const std::vector<uint8_t> frame = decodedRgb(*dir_ + name, "");
        ASSERT_FALSE(frame.empty()) << name;
        EXPECT_TRUE(frame == decodedRgb(*dir_ + "/at/frame-0" + std::to_string(13500 + n * 100) + ".png", ""))
            << name;
    }
    EXPECT_FALSE(fs::exists(*dir_ + "/sequence/frame-000010.png"));
}

TEST(VideoFailures, EndWithStatusOneAndLeaveNoFile)
{
    const std::string dir = ::testing::TempDir() + "/capture-video-failures";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string file = dir + "/out.mp4";
    std::string messages;

    // No ffmpeg on the PATH.
    EXPECT_EQ(capture("--video '" + file + "' --to 500 --size 32x32", messages, "PATH=/nonexistent"), 1);
    EXPECT_NE(messages.find("ffmpeg"), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(file));

    // A folder that does not exist.
    EXPECT_EQ(capture("--video '" + dir + "/missing/out.mp4' --to 500 --size 32x32", messages), 1);
    EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;

    // An ffmpeg that starts writing the file, then gives up.
    const std::string fake = dir + "/bin";
    fs::create_directories(fake);
    const std::string encoders = "if [ \"$2\" = -encoders ]; then printf ' V....D libx264   H.264\\n A..... aac   AAC\\n'; "
                                 "exit 0; fi\n";
    std::ofstream(fake + "/ffmpeg") << "#!/bin/sh\n" << encoders
                                    << "for a; do last=$a; done\necho partial > \"$last\"\n"
                                       "echo 'encoder exploded' >&2\nexit 3\n";
    fs::permissions(fake + "/ffmpeg", fs::perms::owner_all);
    EXPECT_EQ(capture("--video '" + file + "' --to 500 --size 32x32", messages, "PATH='" + fake + ":/usr/bin:/bin'"), 1);
    EXPECT_NE(messages.find("encoder exploded"), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(file));

    // An ffmpeg without the lossless encoders: said before anything is made.
    EXPECT_EQ(capture("--lossless --video '" + dir + "/out.mkv' --to 500 --size 32x32", messages,
                      "PATH='" + fake + ":/usr/bin:/bin'"),
              1);
    EXPECT_NE(messages.find("has no ffv1 encoder"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("exploded"), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(dir + "/out.mkv"));

    // Options that do not go together.
    EXPECT_EQ(capture("--video '" + file + "' --at 1000", messages), 2);
    EXPECT_EQ(capture("--from 1000 --at 2000", messages), 2);
    EXPECT_EQ(capture("--video '" + file + "' --from 3000 --to 2000", messages), 2);
    EXPECT_EQ(capture("--video '" + file + "' --preset cinema", messages), 2);
    EXPECT_NE(messages.find("unknown preset cinema"), std::string::npos) << messages;
    EXPECT_NE(messages.find("usage:"), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(file));
    fs::remove_all(dir);
}

}  // namespace
