// The music: decoding good and bad files, the heard position, the spectrum and its level.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "Signals.h"
#include "audio/HeardPosition.h"
#include "audio/MusicPlayer.h"
#include "audio/FrequencyAnalysis.h"
#include "audio/VorbisDecoder.h"

#include <ogg/ogg.h>

namespace {

constexpr int kRate = 44100;
// The centre frequency of bin 128: 128 / 1024 of the sample rate.
constexpr double kBin128 = 128.0 * kRate / 1024.0;

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "/" + name; }

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Decodes the whole file into a track; returns false with the error when it cannot be opened.
bool decodeAll(const std::string& path, std::shared_ptr<Track>& track, std::string& error, std::string& problems)
{
    VorbisDecoder decoder;
    if (const Status opened = decoder.open(path); !opened.ok()) {
        error = opened.message();
        return false;
    }
    while (decoder.decode(kRate)) {
    }
    track = decoder.track;
    problems = decoder.problems;
    return true;
}

TEST(Spectrum, SineCentredOnBin128ReadsAQuarterOfItsAmplitude)
{
    Spectrum spectrum;
    for (double amplitude : {1.0, 0.1, 0.004}) {
        const auto samples = sine(kBin128, amplitude, 1024.0 / kRate, 1, kRate);
        spectrum.compute(samples.data());
        EXPECT_NEAR(spectrum.magnitudes[128], amplitude / 4, amplitude / 4 * 0.02) << amplitude;
        EXPECT_LT(spectrum.magnitudes[100], amplitude / 400);  // far bins stay quiet
    }
}

TEST(Spectrum, LevelStepsAtItsThresholds)
{
    EXPECT_EQ(levelFromMagnitude(0.0f), 0);  // silence
    EXPECT_EQ(levelFromMagnitude(0.0003f), 0);
    EXPECT_EQ(levelFromMagnitude(0.0005f), 6);
    EXPECT_EQ(levelFromMagnitude(0.001f), 6);
    EXPECT_EQ(levelFromMagnitude(0.002f), 12);
    EXPECT_EQ(levelFromMagnitude(0.004f), 18);
    EXPECT_EQ(levelFromMagnitude(0.01f), 18);
    EXPECT_EQ(levelFromMagnitude(0.0145f), 0);  // a loud bin gives no level at all
    EXPECT_EQ(levelFromMagnitude(0.02f), 0);
}

TEST(Spectrum, TakesTheSamplesEndingAtTheHeardFrameInMono)
{
    // Left channel a sine on bin 128, right channel silent: the mono mean halves it.
    Track track(kRate);
    const auto left = sine(kBin128, 0.8, 1.0, 1, kRate);
    for (int i = 0; i < kRate; ++i) {
        // The track's room is not cleared, so the silent channel is written too.
        track.samples[static_cast<size_t>(i) * 2] = left[static_cast<size_t>(i)];
        track.samples[static_cast<size_t>(i) * 2 + 1] = 0.0f;
    }
    track.decodedFrames = kRate / 2;  // the second half is not decoded yet: silence

    Spectrum spectrum;
    spectrum.compute(track, 20000);
    EXPECT_NEAR(spectrum.magnitudes[128], 0.1, 0.002);
    spectrum.compute(track, 0);  // before the start: silence
    EXPECT_EQ(spectrum.magnitudes[128], 0.0f);
    spectrum.compute(track, kRate);  // past what is decoded: silence
    EXPECT_EQ(spectrum.magnitudes[128], 0.0f);
}

TEST(HeardPosition, FollowsTheOutputButNeverGoesBackwards)
{
    HeardPosition heard;
    EXPECT_EQ(heard.update(0, 1024, 0.0, kRate), 0);           // nothing heard before the start
    EXPECT_EQ(heard.update(4096, 1024, 0.0, kRate), 3072);     // handed less the latency
    EXPECT_EQ(heard.update(4096, 1024, 0.01, kRate), 3072 + 441);
    EXPECT_EQ(heard.update(4096, 1024, 1.0, kRate), 4096);     // never past what was handed
    EXPECT_EQ(heard.update(5120, 1024, 0.0, kRate), 4096);     // a fresh hand-over: no step back
    EXPECT_EQ(heard.set(1000), 4096);
    EXPECT_EQ(heard.set(90000), 90000);
}

TEST(MusicPlayer, VirtualPlaybackHearsTheDemoTimeAndBeatsWithTheMusic)
{
    // One second of silence, then a quiet tone on bin 128 (magnitude 0.0025: level 12).
    auto samples = sine(kBin128, 0.01, 3.0, 2, kRate);
    std::fill(samples.begin(), samples.begin() + 2 * kRate, 0.0f);
    const std::string path = tempPath("beat.ogg");
    ASSERT_TRUE(writeOggVorbis(path, samples, 2, kRate));

    MusicPlayer player;
    EXPECT_EQ(player.spectrumLevel(), -1);  // nothing playing yet
    EXPECT_EQ(player.calmLevel(), -1);
    player.useVirtualOutput();
    ASSERT_TRUE(player.playFile(path.c_str()).ok());
    EXPECT_EQ(player.playing, 1);
    player.setVirtualTime(0.5);
    EXPECT_EQ(player.heardFrame(), kRate / 2);
    EXPECT_EQ(player.spectrumLevel(), 0);
    EXPECT_EQ(player.calmLevel(), 0);
    player.setVirtualTime(1.5);  // half a second into the tone: the calm level on its way up
    EXPECT_GT(player.calmLevel(), 3);
    EXPECT_LT(player.calmLevel(), 9);
    player.setVirtualTime(2.0);
    EXPECT_EQ(player.heardFrame(), 2 * kRate);
    EXPECT_EQ(player.spectrumLevel(), 12);
    // A second into the tone: all of it but the block that reaches back before its start.
    EXPECT_NEAR(player.calmLevel(), 12, 0.1);
    player.setVirtualTime(1.0);  // time never runs back
    EXPECT_EQ(player.heardFrame(), 2 * kRate);
    player.release();
    EXPECT_EQ(player.spectrumLevel(), -1);
    EXPECT_EQ(player.calmLevel(), -1);
    player.release();  // a second release frees nothing and does not fail
}

TEST(MusicPlayer, VirtualPlaybackWaitsForTheDecoderToReachTheHeardMoment)
{
    // Twelve seconds, the tone only in the last two: well past what is decoded before
    // playback starts, so the level at 11 s comes from the decoder thread's work.
    auto samples = sine(kBin128, 0.01, 12.0, 2, kRate);
    std::fill(samples.begin(), samples.begin() + 2 * 10 * kRate, 0.0f);
    const std::string path = tempPath("late-beat.ogg");
    ASSERT_TRUE(writeOggVorbis(path, samples, 2, kRate));
    MusicPlayer player;
    player.useVirtualOutput();
    ASSERT_TRUE(player.playFile(path.c_str()).ok());
    player.setVirtualTime(11.0);
    EXPECT_EQ(player.spectrumLevel(), 12);
    player.release();
}

TEST(MusicPlayer, DecodingInSlicesGoesOnlyAsFarAsAskedAndEndsWithTheSameTrack)
{
    // As the page decodes, without threads: the start at loading, the heard moment on demand,
    // the rest a slice per call; the track ends as the decoder thread leaves it.
    auto samples = sine(kBin128, 0.01, 12.0, 2, kRate);
    std::fill(samples.begin(), samples.begin() + 2 * 10 * kRate, 0.0f);
    const std::string path = tempPath("sliced.ogg");
    ASSERT_TRUE(writeOggVorbis(path, samples, 2, kRate));
    MusicPlayer sliced;
    sliced.useVirtualOutput();
    ASSERT_TRUE(sliced.load(path.c_str(), MusicPlayer::Decoding::InSlices).ok());
    const std::shared_ptr<const Track> track = sliced.track();
    EXPECT_LT(track->decodedFrames.load(), 3 * kRate);  // the start only
    sliced.play(0);
    sliced.setVirtualTime(11.0);
    EXPECT_GE(track->decodedFrames.load(), 11 * kRate);
    EXPECT_EQ(sliced.spectrumLevel(), 12);
    int calls = 0;
    while (!track->complete && calls < 1000) {
        sliced.decodeAhead();
        ++calls;
    }
    ASSERT_TRUE(track->complete.load());
    EXPECT_LT(calls, 10);  // a quarter of a second a slice

    MusicPlayer behind;
    behind.useVirtualOutput();
    ASSERT_TRUE(behind.load(path.c_str()).ok());
    const std::shared_ptr<const Track> reference = behind.track();
    while (!reference->complete) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(track->decodedFrames.load(), reference->decodedFrames.load());
    EXPECT_TRUE(std::equal(track->samples.get(), track->samples.get() + track->decodedFrames * Track::kChannels,
                           reference->samples.get()));
    sliced.decodeAhead();  // nothing more to do once complete
    EXPECT_EQ(track->decodedFrames.load(), reference->decodedFrames.load());
}

TEST(MusicPlayer, FilesThatCannotBePlayedLeaveItSilentAndSayWhy)
{
    const std::string notVorbis = tempPath("not-vorbis.ogg");
    writeAll(notVorbis, "OggS but not really a stream of anything at all, just text");
    const std::string good = tempPath("good.ogg");
    ASSERT_TRUE(writeOggVorbis(good, sine(440, 0.5, 1.0, 2, kRate), 2, kRate));
    std::string bytes = readAll(good);
    const std::string damagedHeader = tempPath("damaged-header.ogg");
    // Inside the page after the identification header, which holds the codebooks.
    for (size_t i = 200; i < 230; ++i) bytes[i] = static_cast<char>(~bytes[i]);
    writeAll(damagedHeader, bytes);

    const struct {
        std::string path, reason;
    } cases[] = {{tempPath("missing.ogg"), "is missing"},
                 {notVorbis, "is not an Ogg Vorbis file"},
                 {damagedHeader, "damaged Vorbis header"}};
    for (const auto& c : cases) {
        MusicPlayer player;
        player.useVirtualOutput();
        const Status played = player.playFile(c.path.c_str());
        ASSERT_FALSE(played.ok()) << c.path;
        EXPECT_EQ(player.playing, 0);
        EXPECT_EQ(player.spectrumLevel(), -1);
        EXPECT_NE(played.message().find("no music: " + c.path), std::string::npos) << played.message();
        EXPECT_NE(played.message().find(c.reason), std::string::npos) << played.message();
    }
}

TEST(VorbisDecoder, TruncatedFilePlaysWhatDecodesAndSaysSo)
{
    const std::string good = tempPath("whole.ogg");
    ASSERT_TRUE(writeOggVorbis(good, sine(440, 0.5, 4.0, 2, kRate), 2, kRate));
    const std::string bytes = readAll(good);
    const std::string cut = tempPath("cut.ogg");
    writeAll(cut, bytes.substr(0, bytes.size() * 6 / 10));

    std::shared_ptr<Track> track;
    std::string error, problems;
    ASSERT_TRUE(decodeAll(cut, track, error, problems)) << error;
    const double seconds = static_cast<double>(track->decodedFrames) / kRate;
    EXPECT_GT(seconds, 1.5);
    EXPECT_LT(seconds, 3.5);
    EXPECT_NE(problems.find("ends early"), std::string::npos) << problems;
}

TEST(VorbisDecoder, DamageInTheMiddleLeavesSilenceAndKeepsTheRestInTime)
{
    const auto original = sine(440, 0.5, 5.0, 2, kRate);
    const std::string good = tempPath("long.ogg");
    ASSERT_TRUE(writeOggVorbis(good, original, 2, kRate));
    std::string bytes = readAll(good);
    // Spoil a stretch of data halfway through: the pages there fail their checksum.
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 3000; ++i) bytes[i] = static_cast<char>(i * 7);
    const std::string holed = tempPath("holed.ogg");
    writeAll(holed, bytes);

    std::shared_ptr<Track> track;
    std::string error, problems;
    ASSERT_TRUE(decodeAll(holed, track, error, problems)) << error;
    EXPECT_NE(problems.find("damaged"), std::string::npos) << problems;
    // The piece keeps its length, and its last second lines up with the original.
    EXPECT_NEAR(static_cast<double>(track->decodedFrames) / kRate, 5.0, 0.05);
    double match = 0, energy = 0;
    for (int64_t i = 4 * kRate; i < track->decodedFrames; ++i) {
        match += track->samples[static_cast<size_t>(i) * 2] * original[static_cast<size_t>(i) * 2];
        energy += original[static_cast<size_t>(i) * 2] * original[static_cast<size_t>(i) * 2];
    }
    EXPECT_GT(match / energy, 0.9) << "the part after the damage moved in time";
    // Somewhere in the middle there is a stretch of silence where the damage was.
    int64_t silentRun = 0, longest = 0;
    for (int64_t i = kRate; i < 4 * kRate; ++i) {
        silentRun = track->samples[static_cast<size_t>(i) * 2] == 0.0f ? silentRun + 1 : 0;
        longest = std::max(longest, silentRun);
    }
    EXPECT_GT(longest, 1000);
}

// The file's pages with their granule positions rewritten by `change(page index, granule)`
// and their checksums made right again, so that the stream accepts them.
std::string withGranules(const std::string& bytes, const std::function<int64_t(int, int64_t)>& change)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer);
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    std::string out;
    ogg_page page;
    for (int index = 0; ogg_sync_pageout(&sync, &page) == 1; ++index) {
        const int64_t granule = change(index, ogg_page_granulepos(&page));
        for (int b = 0; b < 8; ++b) page.header[6 + b] = static_cast<unsigned char>(static_cast<uint64_t>(granule) >> (8 * b));
        ogg_page_checksum_set(&page);
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
    ogg_sync_clear(&sync);
    return out;
}

TEST(VorbisDecoder, AbsurdPagePositionsCannotExhaustMemoryOrStallDecoding)
{
    const std::string good = tempPath("positions.ogg");
    ASSERT_TRUE(writeOggVorbis(good, sine(440, 0.5, 8.0, 2, kRate), 2, kRate));
    const std::string bytes = readAll(good);
    int pages = 0;
    withGranules(bytes, [&pages](int, int64_t g) { ++pages; return g; });
    constexpr int64_t kAbsurd = int64_t{1} << 62;
    const int64_t room = int64_t{VorbisDecoder::kMaxSeconds + 1} * kRate;

    // The last page claims a piece of 2^40 frames (8 TB as float samples): the track makes
    // room for the longest piece it takes, and the audio there is all decoded.
    const std::string longEnd = tempPath("long-end.ogg");
    writeAll(longEnd, withGranules(bytes, [&](int i, int64_t g) { return i == pages - 1 ? int64_t{1} << 40 : g; }));
    // Every audio page claims its audio belongs 2^62 frames on, and a stretch of damage makes
    // the decoder place what follows by the next page's claim: the silence for that gap
    // stops where the track ends.
    std::string holed = withGranules(bytes, [&](int, int64_t g) { return g > 0 ? kAbsurd : g; });
    const size_t middle = holed.size() * 3 / 4;
    for (size_t i = middle; i < middle + 1500; ++i) holed[i] = static_cast<char>(i * 7);
    const std::string farGap = tempPath("far-gap.ogg");
    writeAll(farGap, holed);

    for (const std::string& path : {longEnd, farGap}) {
        std::shared_ptr<Track> track;
        std::string error, problems;
        ASSERT_TRUE(decodeAll(path, track, error, problems)) << error;
        EXPECT_LE(track->capacityFrames, room) << path;
        EXPECT_GE(track->decodedFrames, kRate) << path;
    }
}

TEST(VorbisDecoder, MonoAtAnotherRateBecomesStereoAt44100WithItsPitch)
{
    const std::string path = tempPath("mono.ogg");
    ASSERT_TRUE(writeOggVorbis(path, sine(1000, 0.5, 2.0, 1, 22050), 1, 22050));
    std::shared_ptr<Track> track;
    std::string error, problems;
    ASSERT_TRUE(decodeAll(path, track, error, problems)) << error;
    EXPECT_NEAR(static_cast<double>(track->decodedFrames) / kRate, 2.0, 0.02);
    // 1000 Hz: 2000 rising zero crossings in the two seconds, the same on both channels.
    int crossings = 0;
    for (int64_t i = kRate / 2; i < kRate * 3 / 2; ++i) {
        const float a = track->samples[static_cast<size_t>(i - 1) * 2], b = track->samples[static_cast<size_t>(i) * 2];
        crossings += a < 0 && b >= 0;
        ASSERT_EQ(track->samples[static_cast<size_t>(i) * 2], track->samples[static_cast<size_t>(i) * 2 + 1]);
    }
    EXPECT_NEAR(crossings, 1000, 3);
}

TEST(MusicPlayer, PlaysThroughASoundDeviceAndReleasesCleanly)
{
    // SDL's dummy driver consumes the sound in real time without any hardware.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string path = tempPath("live.ogg");
    ASSERT_TRUE(writeOggVorbis(path, sine(440, 0.3, 3.0, 2, kRate), 2, kRate));
    MusicPlayer player;
    ::testing::internal::CaptureStderr();
    player.openOutput();
    ASSERT_TRUE(player.playFile(path.c_str()).ok());
    int64_t previous = player.heardFrame();
    for (int i = 0; i < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const int64_t now = player.heardFrame();
        EXPECT_GE(now, previous);
        previous = now;
    }
    EXPECT_GT(previous, 0) << "nothing was heard";
    EXPECT_GE(player.spectrumLevel(), 0);
    player.release();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
