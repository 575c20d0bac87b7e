#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CaptureOptions.h"
#include "audio/Track.h"

// Encodes frames and the music into a video file with the ffmpeg program: H.264 in BT.709 at
// TV range with AAC in MP4, or FFV1 with 24-bit FLAC in Matroska as a lossless master. Frames
// go through one pipe as raw RGBA (bottom row first, as GL reads them), the music through
// another (32-bit float stereo at 44100 Hz, or for FLAC 24-bit values in 32-bit words), the
// chapters through a third; nothing is staged on disk. On any failure the partial output
// file is removed.
class VideoEncoder {
public:
    struct Settings {
        std::string path;
        int width = 0, height = 0, fps = 0;
        int64_t frameCount = 0;  // the audio written lasts exactly this many frames
        VideoFormat format;
        std::string chapters;  // ffmpeg's metadata file with the chapter marks; empty: none
    };

    VideoEncoder() = default;
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Checks that ffmpeg has the encoders and that the output can be written, and starts
    // ffmpeg; false with `error` set when any of it fails. Nothing is left behind then.
    bool start(const Settings& settings, std::string& error);
    // Starts feeding the music from `firstFrame` (44.1 kHz frames); a null track, or the part
    // past its end, is silence.
    void startAudio(std::shared_ptr<const Track> track, int64_t firstFrame);
    // One frame of width × height × 4 bytes; false with `error` set when ffmpeg has stopped.
    bool writeFrame(const std::vector<uint8_t>& rgba, std::string& error);
    // Ends both streams and waits for ffmpeg; false with `error` set (and the file removed)
    // when it did not finish cleanly.
    bool finish(std::string& error);
    // Stops ffmpeg and removes the partial file.
    void abort();

private:
    void closePipes();
    void joinAudio();
    // ffmpeg's own last words, for error messages.
    std::string ffmpegLog() const;

    Settings settings_;
    pid_t child_ = -1;
    int videoPipe_ = -1;
    int audioPipe_ = -1;
    int logFile_ = -1;  // an in-memory file ffmpeg writes its messages to
    std::thread audio_;
    std::atomic<bool> stopAudio_{false};
};
