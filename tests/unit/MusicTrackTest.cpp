// The generated music: its format, levels, its sections in step with the intro, and the
// spectrum level it drives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>
#include <string>

#include "audio/MusicPlayer.h"
#include "audio/VorbisDecoder.h"

namespace {

const std::string kTrack = ORVALE_MUSIC_PATH;
constexpr int kRate = 44100;

// The whole track, decoded once for all tests.
const Track& decoded()
{
    static std::shared_ptr<Track> track = [] {
        VorbisDecoder decoder;
        std::string error;
        EXPECT_TRUE(decoder.open(kTrack, error)) << error;
        while (decoder.decode(kRate * 10)) {
        }
        EXPECT_EQ(decoder.problems, "");
        return decoder.track;
    }();
    return *track;
}

std::string run(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pipe) pclose(pipe);
    return output;
}

TEST(MusicTrack, GeneratorGivesTheSameBytesEveryRun)
{
    const std::string again = ::testing::TempDir() + "/tidewater-again.ogg";
    ASSERT_EQ(std::system((std::string(ORVALE_MUSIC_TOOL) + " '" + again + "'").c_str()), 0);
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_TRUE(bytes(again) == bytes(kTrack)) << "two runs of the music generator differ";
    std::filesystem::remove(again);
}

TEST(MusicTrack, IsAboutTwoHundredAndEightSecondsOfStereoAt44100)
{
    const std::string info = run("ffprobe -v error -show_entries stream=codec_name,sample_rate,channels "
                                 "-show_entries format=duration,bit_rate -of default=nw=1 '" + kTrack + "'");
    EXPECT_NE(info.find("codec_name=vorbis"), std::string::npos) << info;
    EXPECT_NE(info.find("sample_rate=44100"), std::string::npos) << info;
    EXPECT_NE(info.find("channels=2"), std::string::npos) << info;
    EXPECT_NEAR(static_cast<double>(decoded().decodedFrames) / kRate, 208.0, 0.1);
}

TEST(MusicTrack, PeaksLoudnessAndOffsetAreWithinBounds)
{
    const Track& track = decoded();
    double peak = 0, sum[2] = {0, 0};
    for (int64_t i = 0; i < track.decodedFrames; ++i)
        for (int c = 0; c < 2; ++c) {
            const float s = track.samples[static_cast<size_t>(i) * 2 + c];
            peak = std::max(peak, static_cast<double>(std::fabs(s)));
            sum[c] += s;
        }
    EXPECT_LE(20 * std::log10(peak), -1.0);
    for (double s : sum) EXPECT_LT(std::fabs(s / track.decodedFrames), 1e-3) << "DC offset";

    const std::string report =
        run("ffmpeg -hide_banner -nostats -i '" + kTrack + "' -af ebur128 -f null - 2>&1 | tail -12");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(report, match, std::regex(R"(I:\s+(-?[0-9.]+) LUFS)"))) << report;
    const double lufs = std::stod(match[1]);
    std::printf("peak %.2f dBFS, integrated loudness %.1f LUFS\n", 20 * std::log10(peak), lufs);
    EXPECT_GE(lufs, -16.0);
    EXPECT_LE(lufs, -12.0);
}

TEST(MusicTrack, HasStereoWidthThatHoldsUpInMono)
{
    const Track& track = decoded();
    double mid = 0, side = 0;
    for (int64_t i = 0; i < track.decodedFrames; ++i) {
        const double l = track.samples[static_cast<size_t>(i) * 2], r = track.samples[static_cast<size_t>(i) * 2 + 1];
        mid += (l + r) * (l + r);
        side += (l - r) * (l - r);
    }
    std::printf("side to mid energy %.3f\n", side / mid);
    EXPECT_GT(side / mid, 0.02);  // not mono
    EXPECT_LT(side / mid, 0.5);   // nothing cancels out when the channels are summed
}

TEST(MusicTrack, SpectrumLevelBeatsThroughScenesCAndD)
{
    MusicPlayer player;
    player.useVirtualOutput();
    ASSERT_EQ(player.playFile(kTrack.c_str()), 0);
    std::map<int, int> counts;
    int frames = 0, changes = 0, previous = -2;
    for (double t = 30.0; t <= 88.23; t += 1.0 / 60.0, ++frames) {
        player.setVirtualTime(t);
        const int level = player.spectrumLevel();
        ++counts[level];
        changes += level != previous;
        previous = level;
    }
    std::printf("levels over 30-88.23 s: 0 %d, 6 %d, 12 %d, 18 %d of %d frames; %d changes\n", counts[0], counts[6],
                counts[12], counts[18], frames, changes);
    for (int level : {0, 6, 12, 18})
        EXPECT_GE(counts[level], frames / 10) << "level " << level << " in " << counts[level] << " of " << frames;
    // It follows the sixteenth-note hats: several changes in every beat, not a slow drift.
    EXPECT_GT(changes, frames / 5);
    player.release();
}

TEST(MusicTrack, EverySceneChangeIsHeard)
{
    const Track& track = decoded();
    // High-frequency energy (the crash and the hats) in the half second after each change, against
    // a half second a little before it (not the fill that leads into it).
    auto brightness = [&track](double from, double to) {
        double energy = 0, previous = 0;
        for (int64_t i = std::lround(from * kRate); i < std::lround(to * kRate); ++i) {
            const double x = track.mono(i);
            const double high = x - previous;  // a first difference: weights high frequencies
            previous = x;
            energy += high * high;
        }
        return energy;
    };
    for (double change : {14.11, 30.0, 60.0, 88.23, 115.36, 145.0}) {
        const double before = brightness(change - 1.5, change - 1.0), after = brightness(change, change + 0.5);
        std::printf("change at %.2f s: brightness %.1f before, %.1f after\n", change, before, after);
        EXPECT_GT(after, 1.5 * before) << "no accent at " << change << " s";
    }
    // The end has faded out by 204 s.
    EXPECT_LT(brightness(204.0, 208.0), 1e-6);
}

}  // namespace
