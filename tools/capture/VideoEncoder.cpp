#include "VideoEncoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// Where the video and audio pipes appear in ffmpeg.
constexpr int kVideoFd = 3, kAudioFd = 4;

// Moves a descriptor above the ones ffmpeg is given, so that setting those up in the child
// cannot overwrite it; close-on-exec.
int aboveChildFds(int fd)
{
    if (fd < 0 || fd > kAudioFd) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, kAudioFd + 1);
    close(fd);
    return moved;
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
    // The output must be writable before anything is rendered.
    const int probe = open(settings.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (probe < 0) {
        error = "cannot write " + settings.path + ": " + std::strerror(errno);
        return false;
    }
    close(probe);

    int video[2], audio[2];
    logFile_ = memfd_create("ffmpeg-log", MFD_CLOEXEC);
    if (logFile_ < 0 || pipe2(video, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        unlink(settings.path.c_str());
        return false;
    }
    if (pipe2(audio, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        close(video[0]);
        close(video[1]);
        unlink(settings.path.c_str());
        return false;
    }

    logFile_ = aboveChildFds(logFile_);
    for (int* fd : {&video[0], &video[1], &audio[0], &audio[1]}) *fd = aboveChildFds(*fd);

    const std::string size = std::to_string(settings.width) + "x" + std::to_string(settings.height);
    const std::string fps = std::to_string(settings.fps);
    const std::string videoInput = "pipe:" + std::to_string(kVideoFd);
    const std::string audioInput = "pipe:" + std::to_string(kAudioFd);
    const std::vector<std::string> arguments = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        // The frames, bottom row first.
        "-f", "rawvideo", "-pix_fmt", "rgba", "-video_size", size, "-framerate", fps, "-i", videoInput,
        // The music, from the first frame's time.
        "-f", "f32le", "-ar", std::to_string(Track::kRate), "-ac", std::to_string(Track::kChannels), "-i", audioInput,
        "-vf", "vflip", "-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt", "yuv420p",
        "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4", settings.path};
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

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
    posix_spawn_file_actions_adddup2(&actions, logFile_, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, logFile_, STDERR_FILENO);
    const int spawned = posix_spawnp(&child_, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(video[0]);
    close(audio[0]);
    videoPipe_ = video[1];
    audioPipe_ = audio[1];
    if (spawned != 0) {
        child_ = -1;
        closePipes();
        unlink(settings.path.c_str());
        error = spawned == ENOENT ? "cannot find the ffmpeg program; install it (Debian package ffmpeg)"
                                  : std::string("cannot start ffmpeg: ") + std::strerror(spawned);
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
        for (int64_t done = 0; done < total && !stopAudio_; done += kChunk) {
            const int64_t count = std::min(kChunk, total - done);
            std::fill(chunk.begin(), chunk.end(), 0.0f);
            if (track) {
                const int64_t from = firstFrame + done;
                track->waitFor(from + count);
                const int64_t available = std::clamp(track->decodedFrames.load() - from, int64_t{0}, count);
                std::copy_n(track->samples.begin() + from * Track::kChannels, available * Track::kChannels,
                            chunk.begin());
            }
            if (!writeAll(audioPipe_, chunk.data(), static_cast<size_t>(count) * Track::kChannels * sizeof(float)))
                break;  // ffmpeg has stopped; the video side reports it
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
