#include "VideoEncoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

extern char** environ;

namespace {

// Writes everything or fails; false on a closed pipe or any other error.
bool writeAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void closeFd(int& fd)
{
    if (fd >= 0) close(fd);
    fd = -1;
}

// A sample as FLAC keeps it at 24 bits, in the top three bytes of a 32-bit word: rounded
// to the nearest step of 2^-23, clipped to the range.
int32_t quantise24(float sample)
{
    const long step = std::lround(static_cast<double>(sample) * 8388608.0);
    return static_cast<int32_t>(std::clamp(step, -8388608L, 8388607L) * 256);
}

// Where the video, audio and chapter pipes appear in ffmpeg.
constexpr int kVideoFd = 3, kAudioFd = 4, kChaptersFd = 5;

// Moves a descriptor above the ones ffmpeg is given, so that setting those up in the child
// cannot overwrite it; close-on-exec.
int aboveChildFds(int fd)
{
    if (fd < 0 || fd > kChaptersFd) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, kChaptersFd + 1);
    close(fd);
    return moved;
}

std::vector<char*> argumentVector(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

const char* const kNoFfmpeg = "cannot find the ffmpeg program; install it (Debian and Ubuntu package ffmpeg)";

// The names of the encoders the installed ffmpeg offers, one per line as "ffmpeg -encoders"
// lists them; sets `error` when ffmpeg cannot be run.
std::string ffmpegEncoders(std::string& error)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        return "";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::vector<std::string> arguments = {"ffmpeg", "-hide_banner", "-encoders"};
    pid_t child = -1;
    const int spawned =
        posix_spawnp(&child, "ffmpeg", &actions, nullptr, argumentVector(arguments).data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string list;
    if (spawned == 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0) list.append(buffer, static_cast<size_t>(n));
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    close(out[0]);
    if (spawned != 0)
        error = spawned == ENOENT ? kNoFfmpeg : std::string("cannot start ffmpeg: ") + std::strerror(spawned);
    return list;
}

// Why the installed ffmpeg cannot make this video (an encoder it lacks), or empty.
std::string missingEncoder(const VideoFormat& format)
{
    std::string error;
    const std::string list = ffmpegEncoders(error);
    if (!error.empty()) return error;
    const std::vector<std::string> needed =
        format.lossless ? std::vector<std::string>{"ffv1", "flac"} : std::vector<std::string>{"libx264", "aac"};
    for (const std::string& name : needed)
        if (list.find(" " + name + " ") == std::string::npos)
            return "the installed ffmpeg has no " + name + " encoder; install a build of ffmpeg that has it "
                   "(Debian and Ubuntu: the ffmpeg package; Fedora: ffmpeg from RPM Fusion, not ffmpeg-free)";
    return "";
}

// What ffmpeg is told: the inputs, then the encoding of the chosen format.
std::vector<std::string> ffmpegArguments(const VideoEncoder::Settings& settings)
{
    const VideoFormat& f = settings.format;
    std::vector<std::string> a = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        // The frames, bottom row first.
        "-f", "rawvideo", "-pix_fmt", "rgba", "-video_size",
        std::to_string(settings.width) + "x" + std::to_string(settings.height), "-framerate",
        std::to_string(settings.fps), "-i", "pipe:" + std::to_string(kVideoFd),
        // The music, from the first frame's time.
        "-f", f.lossless ? "s32le" : "f32le", "-ar", std::to_string(Track::kRate), "-ac",
        std::to_string(Track::kChannels), "-i", "pipe:" + std::to_string(kAudioFd)};
    if (!settings.chapters.empty())
        a.insert(a.end(), {"-f", "ffmetadata", "-i", "pipe:" + std::to_string(kChaptersFd), "-map_chapters", "2"});
    a.insert(a.end(), {"-map", "0:v", "-map", "1:a"});
    if (f.lossless) {
        // Only the rows flipped and the alpha dropped: FFV1 keeps the RGB bytes as they are;
        // the music's values are already 24-bit, which FLAC keeps.
        a.insert(a.end(), {"-vf", "vflip", "-c:v", "ffv1", "-level", "3", "-g", "1", "-slices", "4", "-slicecrc",
                           "1", "-pix_fmt", "bgr0", "-color_range", "pc", "-colorspace", "rgb", "-color_primaries",
                           "bt709", "-color_trc", "iec61966-2-1", "-c:a", "flac", "-sample_fmt", "s32",
                           "-bits_per_raw_sample", "24", "-f", "matroska", settings.path});
        return a;
    }
    // BT.709 at TV range, as players and video sites take HD video, and said so in the stream
    // and the container.
    a.insert(a.end(), {"-vf", "vflip,scale=out_color_matrix=bt709:out_range=tv,format=yuv420p", "-c:v", "libx264",
                       "-preset", f.speed, "-profile:v", f.profile});
    if (f.level) a.insert(a.end(), {"-level:v", f.level});
    a.insert(a.end(), {"-crf", std::to_string(f.crf)});
    if (f.maxrateKbit > 0)
        a.insert(a.end(), {"-maxrate", std::to_string(f.maxrateKbit) + "k", "-bufsize",
                           std::to_string(f.bufsizeKbit) + "k"});
    a.insert(a.end(), {"-color_range", "tv", "-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc",
                       "bt709", "-c:a", "aac", "-b:a", std::to_string(f.audioKbit) + "k", "-movflags", "+faststart",
                       "-f", "mp4", settings.path});
    return a;
}

}  // namespace

VideoEncoder::~VideoEncoder()
{
    if (child_ > 0) abort();
    closeFd(logFile_);
}

bool VideoEncoder::start(const Settings& settings, std::string& error)
{
    settings_ = settings;
    error = missingEncoder(settings.format);
    if (!error.empty()) return false;
    // The output must be writable before anything is rendered.
    const int probe = open(settings.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (probe < 0) {
        error = "cannot write " + settings.path + ": " + std::strerror(errno);
        return false;
    }
    close(probe);

    int video[2] = {-1, -1}, audio[2] = {-1, -1}, chapters[2] = {-1, -1};
    logFile_ = memfd_create("ffmpeg-log", MFD_CLOEXEC);
    if (logFile_ < 0 || pipe2(video, O_CLOEXEC) != 0 || pipe2(audio, O_CLOEXEC) != 0 ||
        pipe2(chapters, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        for (int fd : {video[0], video[1], audio[0], audio[1], chapters[0], chapters[1]})
            if (fd >= 0) close(fd);
        unlink(settings.path.c_str());
        return false;
    }

    logFile_ = aboveChildFds(logFile_);
    for (int* fd : {&video[0], &video[1], &audio[0], &audio[1], &chapters[0], &chapters[1]})
        *fd = aboveChildFds(*fd);

    // In a process group of its own, so that Ctrl-C on the terminal reaches only the capture
    // tool, which then stops ffmpeg and removes the partial file itself.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, video[0], kVideoFd);
    posix_spawn_file_actions_adddup2(&actions, audio[0], kAudioFd);
    posix_spawn_file_actions_adddup2(&actions, chapters[0], kChaptersFd);
    posix_spawn_file_actions_adddup2(&actions, logFile_, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, logFile_, STDERR_FILENO);
    const std::vector<std::string> arguments = ffmpegArguments(settings);
    const int spawned =
        posix_spawnp(&child_, "ffmpeg", &actions, &attributes, argumentVector(arguments).data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(video[0]);
    close(audio[0]);
    close(chapters[0]);
    videoPipe_ = video[1];
    audioPipe_ = audio[1];
    if (spawned == 0) {
        // A few hundred bytes: they fit in the pipe whether or not ffmpeg reads them yet.
        writeAll(chapters[1], settings.chapters.data(), settings.chapters.size());
    }
    close(chapters[1]);
    if (spawned != 0) {
        child_ = -1;
        closePipes();
        unlink(settings.path.c_str());
        error = spawned == ENOENT ? kNoFfmpeg : std::string("cannot start ffmpeg: ") + std::strerror(spawned);
        return false;
    }
    return true;
}

void VideoEncoder::startAudio(std::shared_ptr<const Track> track, int64_t firstFrame)
{
    const int64_t total = settings_.frameCount * Track::kRate / settings_.fps;
    audio_ = std::thread([this, track = std::move(track), firstFrame, total] {
        constexpr int64_t kChunk = 4096;  // frames per write
        std::vector<float> chunk(static_cast<size_t>(kChunk) * Track::kChannels);
        std::vector<int32_t> words(chunk.size());
        for (int64_t done = 0; done < total && !stopAudio_; done += kChunk) {
            const int64_t count = std::min(kChunk, total - done);
            const size_t values = static_cast<size_t>(count) * Track::kChannels;
            std::fill(chunk.begin(), chunk.end(), 0.0f);
            if (track) {
                const int64_t from = firstFrame + done;
                track->waitFor(from + count);
                const int64_t available = std::clamp(track->decodedFrames.load() - from, int64_t{0}, count);
                std::copy_n(track->samples.get() + from * Track::kChannels, available * Track::kChannels,
                            chunk.begin());
            }
            bool written;
            if (settings_.format.lossless) {
                std::transform(chunk.begin(), chunk.begin() + values, words.begin(), quantise24);
                written = writeAll(audioPipe_, words.data(), values * sizeof(int32_t));
            } else {
                written = writeAll(audioPipe_, chunk.data(), values * sizeof(float));
            }
            if (!written) break;  // ffmpeg has stopped; the video side reports it
        }
        closeFd(audioPipe_);
    });
}

bool VideoEncoder::writeFrame(const std::vector<uint8_t>& rgba, std::string& error)
{
    if (writeAll(videoPipe_, rgba.data(), rgba.size())) return true;
    kill(child_, SIGTERM);  // in case it only closed its input
    joinAudio();
    int status = 0;
    waitpid(child_, &status, 0);
    child_ = -1;
    closePipes();
    unlink(settings_.path.c_str());
    error = "ffmpeg stopped before the end" + ffmpegLog();
    return false;
}

bool VideoEncoder::finish(std::string& error)
{
    closeFd(videoPipe_);
    joinAudio();
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    unlink(settings_.path.c_str());
    error = (WIFEXITED(status) ? "ffmpeg failed with status " + std::to_string(WEXITSTATUS(status))
                               : std::string("ffmpeg was stopped by a signal")) +
            ffmpegLog();
    return false;
}

void VideoEncoder::abort()
{
    stopAudio_ = true;
    if (child_ > 0) kill(child_, SIGTERM);
    closePipes();
    joinAudio();
    if (child_ > 0) waitpid(child_, nullptr, 0);
    child_ = -1;
    unlink(settings_.path.c_str());
}

void VideoEncoder::closePipes()
{
    closeFd(videoPipe_);
    if (!audio_.joinable()) closeFd(audioPipe_);
}

void VideoEncoder::joinAudio()
{
    if (audio_.joinable()) audio_.join();
    closeFd(audioPipe_);
}

std::string VideoEncoder::ffmpegLog() const
{
    if (logFile_ < 0) return "";
    std::string text(4096, '\0');
    const off_t end = lseek(logFile_, 0, SEEK_END);
    const off_t from = std::max<off_t>(0, end - static_cast<off_t>(text.size()));
    const ssize_t n = pread(logFile_, text.data(), text.size(), from);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const size_t line = text.rfind('\n');
    if (line != std::string::npos) text.erase(0, line + 1);
    return text.empty() ? "" : ": " + text;
}
