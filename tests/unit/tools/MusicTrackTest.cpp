// The generated music: its format, levels, tonal balance, its sections in step with the
// intro, and the spectrum level it drives on the drums of the score.
#include <gtest/gtest.h>

#include <algorithm>
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

#include "Bands.h"
#include "Render.h"
#include "Score.h"
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
        const Status opened = decoder.open(kTrack);
        EXPECT_TRUE(opened.ok()) << opened.message();
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

TEST(MusicTrack, GeneratorRefusesWhatItCannotDoBeforeRendering)
{
    const std::string tool = ORVALE_MUSIC_TOOL, dir = ::testing::TempDir();
    const std::string out = dir + "/refused.ogg", file = dir + "/a-file";
    std::ofstream(file) << "not a folder";
    EXPECT_EQ(run(tool + " --stems 2>&1; echo status $?"), "usage: orvale-music [--stems DIR] OUTPUT.ogg\nstatus 2\n");
    const std::string refused = run(tool + " --stems '" + file + "/stems' '" + out + "' 2>&1; echo status $?");
    EXPECT_NE(refused.find("cannot make the folder " + file + "/stems"), std::string::npos) << refused;
    EXPECT_NE(refused.find("status 1"), std::string::npos) << refused;
    EXPECT_FALSE(std::filesystem::exists(out));
    std::filesystem::remove(file);
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
    double sum[2] = {0, 0};
    for (int64_t i = 0; i < track.decodedFrames; ++i)
        for (int c = 0; c < 2; ++c) sum[c] += track.samples[static_cast<size_t>(i) * 2 + c];
    for (double s : sum) EXPECT_LT(std::fabs(s / track.decodedFrames), 1e-3) << "DC offset";

    // Loudness and true peak (between the samples, as a player's resampler or converter sees it).
    const std::string report =
        run("ffmpeg -hide_banner -nostats -i '" + kTrack + "' -af ebur128=peak=true -f null - 2>&1 | tail -14");
    std::smatch lufs, peak;
    ASSERT_TRUE(std::regex_search(report, lufs, std::regex(R"(I:\s+(-?[0-9.]+) LUFS)"))) << report;
    ASSERT_TRUE(std::regex_search(report, peak, std::regex(R"(Peak:\s+(-?[0-9.]+) dBFS)"))) << report;
    std::printf("integrated loudness %s LUFS, true peak %s dBFS\n", lufs[1].str().c_str(), peak[1].str().c_str());
    EXPECT_GE(std::stod(lufs[1]), -16.0);
    EXPECT_LE(std::stod(lufs[1]), -12.0);
    EXPECT_LE(std::stod(peak[1]), -1.0);
}

// The tonal balance of a produced track in every stretch from the build-up to the closing:
// the mids, where chords, arpeggio and lead live, clearly present; the highs, where the hats
// live, kept down, no octave above 4 kHz louder than the 250-500 Hz octave.
TEST(MusicTrack, MidsArePresentAndHighsTamedThroughout)
{
    const Track& track = decoded();
    std::vector<float> mono(static_cast<size_t>(track.decodedFrames));
    for (size_t i = 0; i < mono.size(); ++i) mono[i] = track.mono(static_cast<int64_t>(i));
    for (double from : kWindowStarts) {
        const BandPowers p = bandPowers(mono.data(), mono.size(), from, from + kWindowSeconds);
        std::printf("%3.0f-%3.0f s:", from, from + kWindowSeconds);
        for (double band : p.band) std::printf(" %6.1f", shareDb(band, p.total));
        const double mids = shareDb(p.mids(), p.total), highs = shareDb(p.highs(), p.total);
        std::printf("  | 500-2k %5.1f, 4k-16k %5.1f dB\n", mids, highs);
        EXPECT_GE(mids, -14.0) << "500 Hz-2 kHz at " << from << " s";
        EXPECT_LE(highs, -14.0) << "4-16 kHz at " << from << " s";
        for (int b = 7; b < kBandCount; ++b)
            EXPECT_LE(p.band[b], p.band[3]) << kBands[b].label << " Hz louder than 250-500 Hz at " << from << " s";
    }
}

// The stems, rendered from a short score with every voice, add up to the track before its
// limiter: where the limiter holds a frame down, both channels are scaled alike, never up.
TEST(MusicStems, SumToTheTrackBeforeItsLimiter)
{
    std::vector<Note> notes;
    for (Voice voice : {Voice::Pad, Voice::Arp, Voice::Bass, Voice::Lead, Voice::Stab, Voice::Swell, Voice::Kick,
                        Voice::Snare, Voice::Hat, Voice::OpenHat, Voice::Crash, Voice::Riser, Voice::Boom})
        for (double t = 0; t < 2.5; t += 0.5) notes.push_back({voice, t, 0.4, 57, 1.0, t - 1.0});
    const Rendering rendering = renderTrack(notes, 3.0, true);
    ASSERT_EQ(rendering.stems.size(), static_cast<size_t>(kStemCount));
    const std::vector<float>& track = rendering.track;
    int held = 0, frames = 0;
    for (size_t i = 0; i < track.size(); i += 2) {
        double sum[2] = {0, 0};
        for (const std::vector<float>& stem : rendering.stems)
            for (int c = 0; c < 2; ++c) sum[c] += stem[i + c];
        if (std::max(std::fabs(sum[0]), std::fabs(sum[1])) < 1e-3) continue;
        ++frames;
        const int c = std::fabs(sum[0]) > std::fabs(sum[1]) ? 0 : 1;
        const double gain = track[i + c] / sum[c];
        ASSERT_GT(gain, 0.0) << "frame " << i / 2;
        ASSERT_LE(gain, 1.0 + 1e-4) << "frame " << i / 2;
        EXPECT_NEAR(track[i + 1 - c], gain * sum[1 - c], 1e-4) << "frame " << i / 2;
        held += gain < 1.0 - 1e-4;
    }
    EXPECT_GT(frames, 44100 * 2);
    EXPECT_LT(held, frames / 2) << "the limiter holds down most of the track";
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

TEST(MusicTrack, SpectrumLevelBeatsOnTheDrumsThroughScenesCAndD)
{
    std::vector<double> onsets;
    for (const Note& note : score())
        if (note.voice == Voice::Hat || note.voice == Voice::OpenHat || note.voice == Voice::Snare)
            onsets.push_back(note.time);
    std::sort(onsets.begin(), onsets.end());
    auto afterOnset = [&onsets](double t) {
        const auto next = std::upper_bound(onsets.begin(), onsets.end(), t);
        return next != onsets.begin() && t - *(next - 1) <= 0.05;
    };

    MusicPlayer player;
    player.useVirtualOutput();
    ASSERT_TRUE(player.playFile(kTrack.c_str()).ok());
    std::map<int, int> counts;
    int frames = 0, changes = 0, rises = 0, risesOnDrums = 0, previous = -2;
    for (int n = 0;; ++n, ++frames) {
        const double t = 30.0 + n / 60.0;
        if (t > 88.23) break;
        player.setVirtualTime(t);
        const int level = player.spectrumLevel();
        ++counts[level];
        changes += level != previous;
        if (previous == 0 && level > 0) ++rises, risesOnDrums += afterOnset(t);
        previous = level;
    }
    std::printf("levels over 30-88.23 s: 0 %d, 6 %d, 12 %d, 18 %d of %d frames; %d changes; "
                "%d of %d rises from 0 within 50 ms after a hat or snare\n",
                counts[0], counts[6], counts[12], counts[18], frames, changes, risesOnDrums, rises);
    for (int level : {0, 6, 12, 18})
        EXPECT_GE(counts[level], frames / 10) << "level " << level << " in " << counts[level] << " of " << frames;
    // It follows the sixteenth-note hats: several changes in every beat, not a slow drift,
    // and it rises on the hits of the hats and snares, not on the other voices.
    EXPECT_GT(changes, frames / 5);
    EXPECT_GE(risesOnDrums, rises * 7 / 10);
    player.release();
}

TEST(MusicTrack, TheCalmLevelPulsesWithTheStepsWithoutJumpingAtAnyFrameRate)
{
    MusicPlayer at60, at24;
    for (MusicPlayer* player : {&at60, &at24}) {
        player->useVirtualOutput();
        ASSERT_TRUE(player->playFile(kTrack.c_str()).ok());
    }
    double steppedSum = 0, calmSum = 0, biggestStep = 0, swingSum = 0;
    int frames = 0, seconds = 0;
    float previous = -1, low = 18, high = 0;
    for (int n = 0;; ++n, ++frames) {
        const double t = 30.0 + n / 60.0;
        if (t > 88.23) break;
        at60.setVirtualTime(t);
        const float calm = at60.calmLevel();
        steppedSum += at60.spectrumLevel();
        calmSum += calm;
        ASSERT_GE(calm, 0.0f);
        ASSERT_LE(calm, 18.0f);
        if (previous >= 0) biggestStep = std::max(biggestStep, double(std::fabs(calm - previous)));
        previous = calm;
        low = std::min(low, calm), high = std::max(high, calm);
        if (n % 60 == 59) swingSum += high - low, ++seconds, low = 18, high = 0;
        // Asked for at another frame rate, the same moment has the same level.
        if (n % 5 == 0) {
            at24.setVirtualTime(30.0 + n / 5 / 12.0);
            EXPECT_EQ(at24.calmLevel(), calm) << t;
        }
    }
    std::printf("calm level over 30-88.23 s: mean %.2f (stepped %.2f), at most %.2f from one frame to the next, "
                "%.2f between the lowest and highest of a second on average\n",
                calmSum / frames, steppedSum / frames, biggestStep, swingSum / seconds);
    // As strong as the stepped beat on the whole, seen to pulse, never jumping.
    EXPECT_NEAR(calmSum / frames, steppedSum / frames, 1.0);
    EXPECT_GT(swingSum / seconds, 2.0);
    EXPECT_LT(biggestStep, 3.0);
    at60.release();
    at24.release();
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
