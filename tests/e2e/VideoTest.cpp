// Videos of the intro: orvale-capture --video as people run it, the files read back with
// ffprobe and ffmpeg, and the ways it must fail cleanly.
#include <gtest/gtest.h>

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

// Frame n of a video, decoded, as RGB bytes (top row first).
std::vector<uint8_t> videoFrame(const std::string& file, int n)
{
    const std::string data = output("ffmpeg -v error -i '" + file + "' -vf 'select=eq(n\\," + std::to_string(n) +
                                    ")' -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    return {data.begin(), data.end()};
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

double meanLevel(const std::vector<uint8_t>& rgb)
{
    double sum = 0;
    for (uint8_t v : rgb) sum += v;
    return rgb.empty() ? 0 : sum / rgb.size();
}

class Video : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new std::string(::testing::TempDir() + "/capture-video");
        fs::remove_all(*dir_);
        fs::create_directories(*dir_);
        std::string messages;
        const std::string size = " --size " + std::to_string(kWidth) + "x" + std::to_string(kHeight) +
                                 " --fps " + std::to_string(kFps);
        fullStatus_ = capture("--video '" + *dir_ + "/full.mp4' --to 3000" + size, messages);
        *fullMessages_ = messages;
        laterStatus_ = capture("--video '" + *dir_ + "/later.mp4' --from 2000 --to 3000" + size, messages);
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(*dir_);
        delete dir_;
    }

    static std::string* dir_;
    static std::string* fullMessages_;
    static int fullStatus_, laterStatus_;
};
std::string* Video::dir_ = nullptr;
std::string* Video::fullMessages_ = new std::string;
int Video::fullStatus_ = -1;
int Video::laterStatus_ = -1;

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
    const std::vector<uint8_t> first = videoFrame(file, 0);
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
    const std::vector<uint8_t> a = videoFrame(full, 2 * kFps), b = videoFrame(later, 0);
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
    std::ofstream(fake + "/ffmpeg") << "#!/bin/sh\nfor a; do last=$a; done\necho partial > \"$last\"\n"
                                       "echo 'encoder exploded' >&2\nexit 3\n";
    fs::permissions(fake + "/ffmpeg", fs::perms::owner_all);
    EXPECT_EQ(capture("--video '" + file + "' --to 500 --size 32x32", messages, "PATH='" + fake + ":/usr/bin:/bin'"), 1);
    EXPECT_NE(messages.find("encoder exploded"), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(file));

    // Options that do not go together.
    EXPECT_EQ(capture("--video '" + file + "' --at 1000", messages), 2);
    EXPECT_EQ(capture("--from 1000 --at 2000", messages), 2);
    EXPECT_EQ(capture("--video '" + file + "' --from 3000 --to 2000", messages), 2);
    EXPECT_FALSE(fs::exists(file));
    fs::remove_all(dir);
}

}  // namespace
